// Picture names mapped to their drawing functions.
#include "pictures.h"

#include "assets/Cloud.h"

#include <functional>
#include <map>

QImage DrawPicture(const QString& name)
{
    static const std::map<QString, std::function<QImage()>> table = [] {
        std::map<QString, std::function<QImage()>> t;
        for (int i = 0; i < 3; ++i) {
            t[QStringLiteral("righty%1").arg(i)] = [i] { return DrawWalk(true, i); };
            t[QStringLiteral("lefty%1").arg(i)] = [i] { return DrawWalk(false, i); };
            t[QStringLiteral("righter%1").arg(i)] = [i] { return DrawRun(true, i); };
            t[QStringLiteral("lefter%1").arg(i)] = [i] { return DrawRun(false, i); };
        }
        t[QStringLiteral("stand")] = DrawStand;
        const Eyes states[4] = {Eyes::Half, Eyes::Narrow, Eyes::Wide, Eyes::Shut};
        const char* upright[4] = {"heada", "headb", "headc", "headd"};
        for (int i = 0; i < 4; ++i) {
            const Eyes e = states[i];
            t[QString::fromLatin1(upright[i])] = [e] { return DrawHead(true, e); };
            t[QStringLiteral("head%1").arg(i + 1)] = [e] { return DrawHead(false, e); };
        }
        t[QStringLiteral("hand1")] = [] { return DrawHand(true, true); };
        t[QStringLiteral("hand2")] = [] { return DrawHand(true, false); };
        t[QStringLiteral("handa")] = [] { return DrawHand(false, true); };
        t[QStringLiteral("handb")] = [] { return DrawHand(false, false); };
        for (int i = 0; i < 6; ++i) {
            t[QStringLiteral("gun%1").arg(i)] = [i] { return DrawGun(i); };
        }
        for (int i = 0; i < 8; ++i) {
            t[QStringLiteral("bullet%1").arg(i)] = [i] { return DrawBullet(i); };
        }
        t[QStringLiteral("title2")] = DrawTitle;
        t[QStringLiteral("cloud")] = [] { return DrawCloud(1, 1); };
        t[QStringLiteral("logo")] = DrawLogo;
        t[QStringLiteral("icon")] = DrawIcon;
        t[QStringLiteral("bugicon")] = DrawBugIcon;
        t[QStringLiteral("bugleft")] = DrawBugLeft;
        t[QStringLiteral("bugright")] = DrawBugRight;
        t[QStringLiteral("msgicon")] = DrawMsgIcon;
        return t;
    }();
    const auto it = table.find(name);
    return it == table.end() ? QImage() : it->second();
}
