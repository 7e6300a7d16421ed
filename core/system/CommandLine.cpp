#include "core/system/CommandLine.h"

#include "core/system/Version.h"

#include <QDir>

namespace {

// Options the toolkit reads itself, those that take a value first. A
// session manager restarts the program with -session, so these must pass.
const QStringList kToolkitWithValue = {
    QStringLiteral("platform"),        QStringLiteral("platformpluginpath"),
    QStringLiteral("platformtheme"),   QStringLiteral("plugin"),
    QStringLiteral("qwindowgeometry"), QStringLiteral("qwindowicon"),
    QStringLiteral("qwindowtitle"),    QStringLiteral("session"),
    QStringLiteral("style"),           QStringLiteral("stylesheet"),
    QStringLiteral("display"),         QStringLiteral("name"),
    QStringLiteral("title"),           QStringLiteral("visual"),
};
const QStringList kToolkitFlags = {
    QStringLiteral("reverse"), QStringLiteral("widgetcount"), QStringLiteral("nograb"),
    QStringLiteral("dograb"),  QStringLiteral("sync"),
};

QString usage(const QString &program)
{
    return QStringLiteral("Usage: %1 [--help] [--version] [--pause 30m|1h|tomorrow] [--resume] [--show-now]\n")
        .arg(program);
}

QString help(const QString &program)
{
    return usage(program)
        + QStringLiteral(
              "الاستعمال: %1 [--help] [--version] [--pause 30m|1h|tomorrow] [--resume] [--show-now]\n"
              "\n"
              "Murel sits in the notification area and, at the interval you choose,\n"
              "shows a short Arabic reminder at the bottom-right of the screen.\n"
              "Murel يعمل في منطقة الإشعارات ويعرض تذكيراً قصيراً أسفل يمين الشاشة\n"
              "كل مدة تختارها.\n"
              "\n"
              "  -h, --help     show this help and exit\n"
              "                 اعرض هذه المساعدة واخرج\n"
              "  -v, --version  show the version and exit\n"
              "                 اعرض رقم الإصدار واخرج\n"
              "  --pause LENGTH  pause the running copy's reminders for 30m (minutes),\n"
              "                 1h (hours) or until tomorrow\n"
              "                 أوقف التذكير في النسخة العاملة مؤقتاً: 30m دقائق، 1h ساعات، tomorrow حتى الغد\n"
              "  --resume       resume the running copy's reminders\n"
              "                 استأنف التذكير في النسخة العاملة\n"
              "  --show-now     show a reminder now in the running copy\n"
              "                 اعرض تذكيراً الآن في النسخة العاملة\n"
              "\n"
              "Without options the program starts; only one copy runs per data folder.\n"
              "دون خيارات يبدأ البرنامج، ولا تعمل إلا نسخة واحدة منه.\n")
              .arg(program);
}

// An argument as the error line names it: cut short, and with no control or
// direction-changing character to play tricks on the terminal.
QString shown(const QString &argument)
{
    constexpr qsizetype Longest = 40;
    QString text = argument.left(Longest);
    for (QChar &c : text) {
        if (c.category() == QChar::Other_Control || c.category() == QChar::Other_Format)
            c = QLatin1Char('?');
    }
    if (argument.size() > Longest)
        text += QStringLiteral("…");
    return text;
}

// The option's name without its leading dashes (the toolkit takes one
// or two), or nothing when the argument is not an option.
QString optionName(const QString &argument)
{
    if (argument.size() < 2 || !argument.startsWith(QLatin1Char('-')))
        return QString();
    return argument.mid(argument.startsWith(QLatin1String("--")) ? 2 : 1);
}

} // namespace

CommandLineDecision decideCommandLine(const QStringList &arguments)
{
    // Named as typed, without its folder (Windows writes it with
    // backslashes).
    QString program = arguments.isEmpty() ? QString() : QDir::fromNativeSeparators(arguments.first());
    program = program.mid(program.lastIndexOf(QLatin1Char('/')) + 1);
    if (program.isEmpty())
        program = QStringLiteral("murel");
    CommandLineDecision decision;
    auto refuse = [&](const QString &why) {
        decision.run = false;
        decision.exitCode = 2;
        decision.standardError = program + QStringLiteral(": ") + why + QLatin1Char('\n') + usage(program);
        decision.standardOutput.clear();
        return decision;
    };
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (argument == QLatin1String("-h") || argument == QLatin1String("--help")) {
            if (decision.run) {
                decision.run = false;
                decision.standardOutput = help(program);
            }
            continue;
        }
        if (argument == QLatin1String("-v") || argument == QLatin1String("--version")) {
            if (decision.run) {
                decision.run = false;
                decision.standardOutput = QStringLiteral("murel " MUREL_VERSION "\n");
            }
            continue;
        }
        if (argument == QLatin1String("--resume") || argument == QLatin1String("--show-now")) {
            decision.request = argument.mid(2).toLatin1() + '\n';
            continue;
        }
        if (argument == QLatin1String("--pause") || argument.startsWith(QLatin1String("--pause="))) {
            QString value;
            if (argument.size() > 7) {
                value = argument.mid(8);
            } else if (++i < arguments.size()) {
                value = arguments.at(i);
            } else {
                return refuse(QStringLiteral("option '--pause' needs a value"));
            }
            if (!parsePauseLength(value))
                return refuse(QStringLiteral("'%1' is not a pause length (30m, 1h or tomorrow)").arg(shown(value)));
            decision.request = "pause " + value.toLatin1() + '\n';
            continue;
        }
        const QString name = optionName(argument);
        if (name.isEmpty())
            return refuse(QStringLiteral("unexpected argument '%1'").arg(shown(argument)));
        if (kToolkitFlags.contains(name))
            continue;
        if (kToolkitWithValue.contains(name)) {
            if (++i >= arguments.size())
                return refuse(QStringLiteral("option '%1' needs a value").arg(shown(argument)));
            // The toolkit takes the last one given.
            if (name == QLatin1String("platform"))
                decision.platform = arguments.at(i);
            if (name == QLatin1String("display"))
                decision.display = arguments.at(i);
            continue;
        }
        return refuse(QStringLiteral("unknown option '%1'").arg(shown(argument)));
    }
    return decision;
}

std::optional<PauseLength> parsePauseLength(QStringView text)
{
    if (text == u"tomorrow")
        return PauseLength::UntilTomorrow;
    if (text.size() < 2 || text.size() > 5)
        return std::nullopt;
    const QChar unit = text.back();
    const QStringView digits = text.chopped(1);
    for (QChar c : digits) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    }
    const int count = digits.toInt();
    if (unit == QLatin1Char('m') && count >= 1 && count <= 24 * 60)
        return PauseLength{count, false};
    if (unit == QLatin1Char('h') && count >= 1 && count <= 24)
        return PauseLength{count * 60, false};
    return std::nullopt;
}
