// A stand-in for the publisher's announcement server, for the end-to-end
// tests: announce-server PORT FOLDER serves FOLDER/me.txt and FOLDER/me.swf
// at the program's announcement paths until it is killed. PORT 0 takes a
// free port; "ready PORT" says which.
#include "announce/Announcer.h"
#include "common/TestHttpServer.h"

#include <QCoreApplication>
#include <QFile>
#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: announce-server PORT FOLDER\n");
        return 2;
    }
    TestHttpServer server(quint16(QByteArray(argv[1]).toUShort()));
    if (!server.listening()) {
        std::fprintf(stderr, "cannot listen on port %s\n", argv[1]);
        return 1;
    }
    const QString folder = QString::fromLocal8Bit(argv[2]);
    for (const auto &[path, file] : {std::pair{Announcer::TextPath, QStringLiteral("/me.txt")},
                                     std::pair{Announcer::MoviePath, QStringLiteral("/me.swf")}}) {
        QFile f(folder + file);
        if (f.open(QIODevice::ReadOnly))
            server.route(path, {200, f.readAll(), TestHttpServer::Fault::None, {}});
    }
    std::printf("ready %d\n", server.base().port());
    std::fflush(stdout);
    return app.exec();
}
