#include "reminder/TextSearch.h"

#include "core/texts/TextMatch.h"

#include <QListWidget>

void showMatchingTexts(QListWidget &list, const QString &query, int textRole, int foldedRole)
{
    const QString folded = TextMatch::folded(query);
    for (int i = 0; i < list.count(); ++i) {
        QListWidgetItem *item = list.item(i);
        if (folded.isEmpty()) {
            item->setHidden(false);
            continue;
        }
        QVariant text = item->data(foldedRole);
        if (!text.isValid()) {
            text = TextMatch::folded(item->data(textRole).toString());
            item->setData(foldedRole, text);
        }
        item->setHidden(!text.toString().contains(folded));
    }
}
