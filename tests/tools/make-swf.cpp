// make-swf FILE [compressed]: writes the tests' small Flash movie.
#include "common/SwfWriter.h"

#include <QFile>
#include <cstring>

int main(int argc, char *argv[])
{
    if (argc < 2)
        return 2;
    QFile f(QString::fromLocal8Bit(argv[1]));
    if (!f.open(QIODevice::WriteOnly))
        return 1;
    const QByteArray movie = SwfWriter::movie(argc > 2 && std::strcmp(argv[2], "compressed") == 0);
    return f.write(movie) == movie.size() ? 0 : 1;
}
