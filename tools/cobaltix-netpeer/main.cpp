#include "tools/cobaltix-netpeer/NetPeer.h"

#include <QCoreApplication>

#include <cstdio>

// cobaltix-netpeer host PORT LEVEL [GAMES [SEED]] | join ADDRESS:PORT LEVEL: the game's
// network code and game core with a CPU player; see the tools' contract.
int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments();
    args.removeFirst();
    try {
        return RunNetPeer(ParseNetPeerCommand(args));
    } catch (const NetPeerError &error) {
        std::fprintf(stderr, "error: %s\n", error.what());
        return 2;
    }
}
