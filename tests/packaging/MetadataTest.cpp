#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QMap>
#include <QRegularExpression>
#include <QStringList>
#include <QUrl>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <ostream>

inline void PrintTo(const QString &s, std::ostream *os) {
    *os << '"' << s.toStdString() << '"';
}

namespace {

QString readText(const char *path) {
    QFile file(QString::fromUtf8(path));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path;
    return QString::fromUtf8(file.readAll());
}

// One element of the metadata: its name, its attributes and its text.
struct Element {
    QString name;
    QXmlStreamAttributes attributes;
    QString text;
    QString attribute(const char *key) const { return attributes.value(key).toString(); }
    QString language() const { return attributes.value("xml:lang").toString(); }
};

std::vector<Element> metainfoElements() {
    QXmlStreamReader xml(readText(COBALTIX_METAINFO_FILE));
    std::vector<Element> elements;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        Element e{xml.name().toString(), xml.attributes(), {}};
        if (e.name == "p" || e.name == "caption" || e.name == "summary" || e.name == "image" ||
            e.name == "launchable")
            e.text = xml.readElementText(QXmlStreamReader::IncludeChildElements).simplified();
        elements.push_back(e);
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return elements;
}

std::vector<Element> named(const std::vector<Element> &all, const char *name) {
    std::vector<Element> found;
    for (const Element &e : all)
        if (e.name == name)
            found.push_back(e);
    return found;
}

// How many of the elements are in each language ("" for English).
QMap<QString, int> byLanguage(const std::vector<Element> &elements) {
    QMap<QString, int> counts;
    for (const Element &e : elements)
        ++counts[e.language()];
    return counts;
}

QMap<QString, QString> desktopKeys() {
    QMap<QString, QString> keys;
    for (const QString &line : readText(COBALTIX_DESKTOP_FILE).split('\n')) {
        const qsizetype eq = line.indexOf('=');
        if (eq > 0)
            keys.insert(line.left(eq), line.mid(eq + 1));
    }
    return keys;
}

} // namespace

// The project's version is the one release the metadata and the Debian package name.
TEST(Version, MetadataAndPackageCarryTheProjectVersion) {
    const auto releases = named(metainfoElements(), "release");
    ASSERT_FALSE(releases.empty());
    EXPECT_EQ(releases.front().attribute("version"), COBALTIX_VERSION);
    EXPECT_EQ(releases.front().attribute("date"), COBALTIX_RELEASE_DATE);
    const QString changelog = readText(COBALTIX_DEBIAN_CHANGELOG);
    const auto top = QRegularExpression(R"(^cobaltix \(([^)]+)\))").match(changelog);
    ASSERT_TRUE(top.hasMatch()) << "debian/changelog does not start with a cobaltix entry";
    EXPECT_EQ(top.captured(1), COBALTIX_VERSION);
}

// Every text a software centre shows exists in English and in Spanish.
TEST(Metainfo, SummaryDescriptionAndCaptionsInBothLanguages) {
    const auto all = metainfoElements();
    for (const char *name : {"summary", "p", "caption"}) {
        SCOPED_TRACE(name);
        const QMap<QString, int> counts = byLanguage(named(all, name));
        EXPECT_GT(counts.value(""), 0);
        EXPECT_EQ(counts.value("es"), counts.value(""));
        EXPECT_EQ(counts.size(), 2);
    }
}

// The screenshots named are the ones the build took, at the size stated.
TEST(Metainfo, ScreenshotsAreTheOnesTheBuildTook) {
    const auto images = named(metainfoElements(), "image");
    ASSERT_GE(images.size(), 2u);
    for (const Element &image : images) {
        SCOPED_TRACE(image.text.toStdString());
        const QUrl url(image.text);
        EXPECT_EQ(url.scheme(), "https");
        const QImage shot(QStringLiteral(COBALTIX_SCREENSHOT_DIR "/") + url.fileName());
        ASSERT_FALSE(shot.isNull());
        EXPECT_EQ(QString::number(shot.width()), image.attribute("width"));
        EXPECT_EQ(QString::number(shot.height()), image.attribute("height"));
    }
}

// The metadata launches the desktop entry that is installed beside it.
TEST(Metainfo, LaunchesTheDesktopEntry) {
    const auto launchables = named(metainfoElements(), "launchable");
    ASSERT_EQ(launchables.size(), 1u);
    EXPECT_EQ(launchables[0].text, QFileInfo(COBALTIX_DESKTOP_FILE).fileName());
}

// The menu entry: a logic game, named and described in both languages, with the icon the
// build paints.
TEST(DesktopEntry, NamesTheGameInBothLanguages) {
    const QMap<QString, QString> keys = desktopKeys();
    EXPECT_EQ(keys.value("Categories"), "Game;LogicGame;");
    EXPECT_EQ(keys.value("Icon"), COBALTIX_APP_ID);
    EXPECT_EQ(keys.value("Exec"), "cobaltix");
    for (const char *key : {"Name", "GenericName", "Comment", "Keywords"}) {
        SCOPED_TRACE(key);
        EXPECT_FALSE(keys.value(key).isEmpty());
        EXPECT_FALSE(keys.value(QString::fromLatin1(key) + "[es]").isEmpty());
    }
}
