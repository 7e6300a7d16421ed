#pragma once

#include <QByteArrayView>
#include <QString>

// Earlier Windows versions of the program wrote font names in the Arabic
// Windows code page; files are read as UTF-8 when they are valid UTF-8 and as
// that code page otherwise.
QString decodeSettingsText(QByteArrayView bytes);
QString decodeCp1256(QByteArrayView bytes);
