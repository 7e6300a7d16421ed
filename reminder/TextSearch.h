#pragma once

class QListWidget;
class QString;

// Shows the rows of list whose text (under textRole) holds query, as the
// search compares texts (TextMatch), and hides the rest; an empty query
// shows all. Each text is folded once, when first searched, and kept under
// foldedRole: thousands of texts are searched again at every key.
void showMatchingTexts(QListWidget &list, const QString &query, int textRole, int foldedRole);
