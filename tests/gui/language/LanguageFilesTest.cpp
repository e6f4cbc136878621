// The shipped language data: every text key that the skin, the default data and the button table
// use has an English and a Chinese text, the two files hold the same keys, format texts carry
// the conversions their callers pass, and every language of the list has a text file that loads.
#include <gtest/gtest.h>

#include <QDirIterator>
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QXmlStreamReader>

#include <string>
#include <vector>

#include "profiles/LanguageList.h"
#include "profiles/JsonFields.h"
#include "profiles/JsonFileStore.h"
#include "protocol/KeyTable.h"
#include "ui/framework/LanguageTable.h"

namespace orvane::app::test {
namespace {

const QString kSource = QString::fromUtf8(ORVANE_SOURCE_DIR);

struct LanguageFile {
    QHash<QString, QString> texts;
    QStringList duplicates;
    QString error;
};

// Read here rather than through the framework's table, which answers a missing key with the key.
LanguageFile ReadLanguageFile(const QString& path) {
    LanguageFile result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = "cannot open " + path;
        return result;
    }
    QXmlStreamReader xml(&file);
    if (xml.readNextStartElement() && xml.name() == u"language") {
        while (xml.readNextStartElement()) {
            if (xml.name() != u"text") {
                xml.skipCurrentElement();
                continue;
            }
            const QString id = xml.attributes().value("id").toString();
            if (result.texts.contains(id)) result.duplicates << id;
            result.texts.insert(id, xml.readElementText());
        }
    }
    if (xml.hasError()) result.error = QString("%1 line %2: %3").arg(path).arg(xml.lineNumber()).arg(xml.errorString());
    return result;
}

struct UsedKey {
    QString key;
    QString where;
};

// The framework's rule (Control.h, Combo.h, RichEdit.h): the text and the combo item texts of a
// control are keys unless the control is an edit or sets resourcetext="false"; a rich edit's tip
// text is always a key; plain Qt widgets that are no control show their text as it stands.
class LayoutKeyScanner {
public:
    explicit LayoutKeyScanner(QString file) : file_(std::move(file)) {}

    std::vector<UsedKey> Scan() {
        QFile file(file_);
        if (!file.open(QIODevice::ReadOnly)) return {{"<unreadable>", file_}};
        QXmlStreamReader xml(&file);
        if (xml.readNextStartElement() && xml.name() == u"ui") ScanChildren(xml);
        if (xml.hasError()) keys_.push_back({"<malformed: " + xml.errorString() + ">", file_});
        return keys_;
    }

private:
    void ScanChildren(QXmlStreamReader& xml) {
        while (xml.readNextStartElement()) {
            if (xml.name() == u"widget") {
                ScanWidget(xml);
            } else if (xml.name() == u"layout" || xml.name() == u"item") {
                ScanChildren(xml);
            } else {
                xml.skipCurrentElement();
            }
        }
    }

    static QString PropertyValue(QXmlStreamReader& xml) {
        QString value;
        while (xml.readNextStartElement()) value = xml.readElementText(QXmlStreamReader::IncludeChildElements);
        return value;
    }

    void ScanWidget(QXmlStreamReader& xml) {
        const QString cls = xml.attributes().value("class").toString().toLower();
        const QString name = xml.attributes().value("name").toString();
        QStringList texts;
        QStringList tips;
        bool resourceText = true;
        while (xml.readNextStartElement()) {
            if (xml.name() == u"property") {
                const QString property = xml.attributes().value("name").toString();
                const QString value = PropertyValue(xml);
                if (property == "text") texts << value;
                if (property == "resourcetext") resourceText = !QStringList{"false", "0", "no"}.contains(value.toLower());
                if (property == "tiptext" || property == "placeholderText") tips << value;
            } else if (xml.name() == u"item") {  // combo item
                while (xml.readNextStartElement()) {
                    if (xml.name() == u"property" && xml.attributes().value("name") == u"text") {
                        texts << PropertyValue(xml);
                    } else {
                        xml.skipCurrentElement();
                    }
                }
            } else if (xml.name() == u"widget") {
                ScanWidget(xml);
            } else if (xml.name() == u"layout") {
                ScanChildren(xml);
            } else {
                xml.skipCurrentElement();
            }
        }
        static const QSet<QString> edits = {"edit", "qlineedit", "richedit", "qtextedit"};
        static const QSet<QString> controlsOnQt = {"qwidget", "qstackedwidget", "qlabel", "qpushbutton", "qcheckbox",
                                                   "qradiobutton", "qlineedit", "qtextedit", "qcombobox",
                                                   "qslider", "qprogressbar"};
        const bool isControl = !cls.startsWith('q') || controlsOnQt.contains(cls);
        const QString where = file_.mid(kSource.size() + 1) + " " + name;
        if (isControl && resourceText && !edits.contains(cls)) {
            for (const QString& text : texts) Add(text, where);
        }
        if (cls == "richedit" || cls == "qtextedit") {
            for (const QString& tip : tips) Add(tip, where);
        }
    }

    // Texts without a letter ("✕", "1600", "%") show as they stand, whatever the table holds.
    void Add(const QString& text, const QString& where) {
        static const QRegularExpression letter("\\p{L}");
        if (text.contains(letter)) keys_.push_back({text, where});
    }

    QString file_;
    std::vector<UsedKey> keys_;
};

std::vector<UsedKey> SkinKeys() {
    std::vector<UsedKey> keys;
    QDirIterator it(kSource + "/skin", {"*.ui", "*.xml"}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        for (UsedKey& key : LayoutKeyScanner(it.next()).Scan()) keys.push_back(std::move(key));
    }
    return keys;
}

std::vector<UsedKey> DefaultDataKeys() {
    std::vector<UsedKey> keys;
    const JsonFileStore store;
    const Json::Value names = store.ReadJsonValue((kSource + "/DefaultData/default_light.json").toStdString());
    for (const char* list : {"DefaultLightName", "AreaLightName"}) {
        const Json::Value& groups = json::Member(names, list);
        for (Json::ArrayIndex g = 0; g < json::ArraySize(groups); ++g) {
            for (Json::ArrayIndex i = 0; i < json::ArraySize(groups[g]); ++i) {
                keys.push_back({QString::fromStdString(json::TextOf(json::Member(groups[g][i], "LightName"))),
                                QString("default_light.json %1[%2][%3]").arg(list).arg(g).arg(i)});
            }
        }
    }
    for (const LanguageEntry& language : ReadLanguageList((kSource + "/DefaultData/Language.config").toStdString())) {
        keys.push_back({QString::fromStdString(language.text), "Language.config " + QString::fromStdString(language.name)});
    }
    for (const LogicalButton& button : LogicalButtons()) keys.push_back({button.nameText, "logical button table"});
    return keys;
}

class LanguageFilesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        english = ReadLanguageFile(kSource + "/skin/lan_en.xml");
        chinese = ReadLanguageFile(kSource + "/skin/lan_cn.xml");
    }

    static void ExpectKnown(const std::vector<UsedKey>& keys) {
        for (const UsedKey& used : keys) {
            EXPECT_FALSE(used.key.isEmpty()) << used.where.toStdString();
            EXPECT_TRUE(english.texts.contains(used.key)) << "English lacks \"" << used.key.toStdString() << "\" ("
                                                          << used.where.toStdString() << ")";
            EXPECT_TRUE(chinese.texts.contains(used.key)) << "Chinese lacks \"" << used.key.toStdString() << "\" ("
                                                          << used.where.toStdString() << ")";
        }
    }

    static inline LanguageFile english;
    static inline LanguageFile chinese;
};

TEST_F(LanguageFilesTest, BothFilesAreWellFormedAndHoldTheSameKeysWithTexts) {
    for (const LanguageFile* file : {&english, &chinese}) {
        EXPECT_TRUE(file->error.isEmpty()) << file->error.toStdString();
        EXPECT_TRUE(file->duplicates.isEmpty()) << file->duplicates.join(", ").toStdString();
        EXPECT_GT(file->texts.size(), 400);
        for (auto it = file->texts.cbegin(); it != file->texts.cend(); ++it) {
            EXPECT_FALSE(it.key().isEmpty());
            EXPECT_FALSE(it.value().trimmed().isEmpty()) << it.key().toStdString();
        }
    }
    for (const QString& key : english.texts.keys()) EXPECT_TRUE(chinese.texts.contains(key)) << key.toStdString();
    for (const QString& key : chinese.texts.keys()) EXPECT_TRUE(english.texts.contains(key)) << key.toStdString();
}

TEST_F(LanguageFilesTest, EveryKeyTheSkinUsesHasBothTexts) {
    const std::vector<UsedKey> keys = SkinKeys();
    // The message box alone brings three keys; an empty scan would prove nothing.
    ASSERT_GE(keys.size(), 3u);
    ExpectKnown(keys);
}

TEST_F(LanguageFilesTest, EveryKeyOfTheDefaultDataAndTheButtonTableHasBothTexts) {
    const std::vector<UsedKey> keys = DefaultDataKeys();
    ASSERT_GT(keys.size(), 50u);
    ExpectKnown(keys);
}

TEST_F(LanguageFilesTest, FormatTextsCarryExactlyTheConversionsTheirCallersPass) {
    // "message_text_16" is a printf format with one number; no other message is formatted, so a
    // '%' in one would print as it stands in one language and vanish in another.
    static const QRegularExpression conversion("%[-+ #0]*\\d*(\\.\\d+)?[a-zA-Z%]");
    for (const LanguageFile* file : {&english, &chinese}) {
        for (auto it = file->texts.cbegin(); it != file->texts.cend(); ++it) {
            QStringList found;
            for (auto m = conversion.globalMatch(it.value()); m.hasNext();) found << m.next().captured();
            const QStringList expected = it.key() == "message_text_16" ? QStringList{"%d"} : QStringList{};
            EXPECT_EQ(found, expected) << it.key().toStdString() << ": " << it.value().toStdString();
            if (expected.isEmpty()) {
                EXPECT_FALSE(it.value().contains('%')) << it.key().toStdString();
            }
        }
    }
}

TEST_F(LanguageFilesTest, EveryListedLanguageHasATextFileThatLoads) {
    const std::vector<LanguageEntry> list = ReadLanguageList((kSource + "/DefaultData/Language.config").toStdString());
    ASSERT_EQ(list.size(), 16u);
    QSet<int> ids;
    QSet<QString> names;
    for (const LanguageEntry& language : list) {
        EXPECT_FALSE(ids.contains(language.id)) << language.id;
        ids.insert(language.id);
        EXPECT_FALSE(language.name.empty());
        names.insert(QString::fromStdString(language.name));
        ui::LanguageTable table;
        QString error;
        EXPECT_TRUE(table.Load(kSource + "/skin/" + QString::fromStdString(language.file), error))
            << language.name << ": " << error.toStdString();
    }
    EXPECT_EQ(names.size(), 16);
    // The ids the pages act on, and the English name the main window checks.
    for (int id : {2052, 1041, 2057}) EXPECT_TRUE(ids.contains(id)) << id;
    EXPECT_TRUE(names.contains("en"));
    EXPECT_EQ(list[0].file, "lan_en.xml");
    EXPECT_EQ(list[1].file, "lan_cn.xml");
}

}  // namespace
}  // namespace orvane::app::test
