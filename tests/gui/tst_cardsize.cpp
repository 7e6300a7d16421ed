#include "app/Fonts.h"
#include "common/Find.h"
#include "common/ManualClock.h"
#include "common/TestPlatform.h"
#include "controls/Label.h"
#include "controls/TavrelButtonV2.h"
#include "core/texts/Catalogue.h"
#include "reminder/CardPreview.h"
#include "reminder/CardText.h"
#include "reminder/ReminderCard.h"
#include "reminder/TextFit.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QTest>
#include <QTimer>

using Corner = CardGeometry::Corner;
using Size = CardGeometry::Size;
Q_DECLARE_METATYPE(Corner)
Q_DECLARE_METATYPE(Size)

namespace {

QString longestText()
{
    const Catalogue catalogue;
    QString longest;
    for (int i = 0; i < catalogue.size(); ++i) {
        if (catalogue.entry(i).size() > longest.size())
            longest = catalogue.entry(i);
    }
    return longest;
}

// The longest text of the user's the texts window takes for a normal card
// in family: it fills the card at the smallest type.
QString longestAccepted(const QString &family)
{
    QString text = QStringLiteral("سبحان الله");
    for (;;) {
        const QString longer = text + QStringLiteral(" والحمد لله");
        if (CardText::check(longer, family) != CardText::Verdict::Fits)
            return text;
        text = longer;
    }
}

void slideUp(ReminderCard &card)
{
    for (int tick = 0; tick < 28; ++tick)
        card.slideUpTick();
}

} // namespace

// The card at each size in each corner: its picture, text and X scaled with
// it, the text whole and never below the smallest type, and the card in
// its corner of the work area.
class TestCardSize : public QObject
{
    Q_OBJECT
    enum Length {
        Short,
        Longest,
        Fullest
    };
private Q_SLOTS:
    void initTestCase() { registerFontSubstitutions(); }

    void drawnWholeInItsCorner_data()
    {
        QTest::addColumn<Corner>("corner");
        QTest::addColumn<Size>("size");
        QTest::addColumn<QString>("family");
        QTest::addColumn<int>("length"); // Short, the catalogue's Longest, or Fullest a user may keep
        QTest::newRow("bottom right, normal") << Corner::BottomRight << Size::Normal << "Tahoma" << int(Short);
        QTest::newRow("bottom left, small") << Corner::BottomLeft << Size::Small << "MS Sans Serif" << int(Short);
        QTest::newRow("top left, small, the longest built-in")
            << Corner::TopLeft << Size::Small << "Tahoma" << int(Longest);
        QTest::newRow("bottom right, small, a full text of the user's: the card grows for it")
            << Corner::BottomRight << Size::Small << "Tahoma" << int(Fullest);
        QTest::newRow("top right, small, a full text of the user's in another face")
            << Corner::TopRight << Size::Small << "Times New Roman" << int(Fullest);
        QTest::newRow("top right, large, the longest built-in")
            << Corner::TopRight << Size::Large << "Tahoma" << int(Longest);
        QTest::newRow("bottom right, larger, a full text of the user's")
            << Corner::BottomRight << Size::Larger << "Times New Roman" << int(Fullest);
        QTest::newRow("top left, larger") << Corner::TopLeft << Size::Larger << "MS Sans Serif" << int(Short);
    }
    void drawnWholeInItsCorner()
    {
        QFETCH(Corner, corner);
        QFETCH(Size, size);
        QFETCH(QString, family);
        QFETCH(int, length);
        ManualClock clock;
        TestPlatform platform;
        CardContent content;
        content.text = length == Short ? QStringLiteral("سبحان الله وبحمده")
            : length == Longest        ? longestText()
                                       : longestAccepted(family);
        content.fontName = family;
        content.displaySeconds = 5;
        content.corner = corner;
        content.size = size;
        ReminderCard card(content, clock, platform, QIcon());
        card.showCard();
        slideUp(card);

        const int chosen = CardGeometry::percent(size);
        const int p = card.layoutPercent();
        // Larger than chosen only for a text that needs it, and never past
        // the normal card for it: a text that fills the normal card does.
        if (length == Fullest && chosen < 100)
            QVERIFY2(p > chosen && p <= 100, qPrintable(QString::number(p)));
        else
            QCOMPARE(p, chosen);
        const QRect g = card.geometry();
        QVERIFY(qAbs(g.width() - 237 * p / 100) <= 1);
        QVERIFY(qAbs(g.height() - 187 * p / 100) <= 1);
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY(area.contains(g));
        const bool right = corner == Corner::BottomRight || corner == Corner::TopRight;
        const bool top = corner == Corner::TopRight || corner == Corner::TopLeft;
        QVERIFY((right ? area.right() - g.right() : g.left() - area.left()) <= 7);
        QVERIFY((top ? g.top() - area.top() : area.bottom() - g.bottom()) <= 34);

        QVERIFY(child<QLabel>(card, "Image1")->geometry().contains(card.rect()));
        QVERIFY(card.rect().contains(child<TavrelButtonV2>(card, "TavrelButtonV21")->geometry()));
        const Label *text = child<Label>(card, "Label1");
        QVERIFY(card.rect().contains(text->geometry()));
        const double points = text->font().pointSizeF();
        QVERIFY2(points >= TextFit::FloorPoints && points <= 13.5 * p / 100, qPrintable(QString::number(points)));
        QVERIFY(TextFit::fits(text->font(), content.text, text->contentsRect().size()));
        if (length == Short)
            QCOMPARE(points, 13.5 * p / 100);
    }

    // A preview stays its few seconds whatever the duration chosen, in its
    // own role, and a second choice replaces the first card at once.
    void aPreviewShowsForAFewSecondsAndGivesWay()
    {
        ManualClock clock;
        TestPlatform platform;
        auto preview = std::make_unique<CardPreview>(clock, platform, QIcon());
        CardContent content;
        content.text = QStringLiteral("الحمد لله");
        content.displaySeconds = 60;
        content.corner = Corner::TopLeft;
        preview->show(content);
        QPointer<ReminderCard> first = preview->card();
        QVERIFY(first);
        // Roles are the X11 window manager's: Windows keeps none.
        if (QSysInfo::productType() != QLatin1String("windows"))
            QCOMPARE(first->windowRole(), QStringLiteral("murel-preview"));

        content.size = Size::Large;
        preview->show(content);
        QPointer<ReminderCard> second = preview->card();
        QVERIFY(second && second != first);
        QVERIFY(first.isNull() || !first->isVisible());
        QCOMPARE(second->layoutPercent(), 125);
        slideUp(*second);
        clock.advance(CardPreview::Seconds * 1000 - 1);
        QVERIFY(!child<QTimer>(*second, "Timer3")->isActive());
        clock.advance(1);
        QVERIFY(child<QTimer>(*second, "Timer3")->isActive());

        // The hold window closed: the preview goes with it.
        preview.reset();
        QTRY_VERIFY(second.isNull());
        QVERIFY(first.isNull());
    }
};

QTEST_MAIN(TestCardSize)
#include "tst_cardsize.moc"
