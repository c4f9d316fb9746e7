// Pictures of the window at every size for a person to look at; run with
// COBALTIX_SCREENSHOTS set to a folder.
#include "WindowFixture.h"

#include "services/Language.h"

#include <QAction>
#include <QTest>

namespace {
void save(QWidget &w, const QString &name) {
    QTest::qWait(50);
    const QDir dir(qEnvironmentVariable("COBALTIX_SCREENSHOTS"));
    ASSERT_TRUE(w.grab().save(dir.filePath(name + QStringLiteral(".png"))));
}
} // namespace

class Screenshots : public WindowTest {};

TEST_F(Screenshots, WindowAtEverySizeAndInFullScreen) {
    if (qEnvironmentVariableIsEmpty("COBALTIX_SCREENSHOTS"))
        GTEST_SKIP() << "COBALTIX_SCREENSHOTS not set";
    TestWindow w;
    w.show();
    freezeAGame(w);
    for (QAction *language : {w.mnEnglish, w.mnEspaniol}) {
        language->trigger();
        const QString prefix =
            language == w.mnEnglish ? QStringLiteral("en-") : QStringLiteral("es-");
        for (int factor = 1; factor <= 3; ++factor) {
            w.mnTamanoClick(factor);
            save(w, prefix + QStringLiteral("window-x%1").arg(factor));
        }
        w.mnPantallaCompletaClick(true);
        save(w, prefix + QStringLiteral("fullscreen"));
        w.mnPantallaCompletaClick(false);
    }
    w.mnEnglish->trigger();
}
