#pragma once
// The language text table: control texts are keys into it. A language file is UTF-8 XML:
//   <language>
//     <text id="Key_Set">Key settings</text>
//   </language>

#include <QHash>
#include <QString>

namespace orvane::ui {

class LanguageTable {
public:
    // Replaces the table with the file's texts. On failure the table is left as it was and
    // `error` says why (missing file, or the line and column of the XML error).
    bool Load(const QString& path, QString& error);

    // The text for `key`; the key itself when the table has none, so an untranslated key stays readable.
    QString Text(const QString& key) const;

    void Clear();

private:
    QHash<QString, QString> texts_;
};

}  // namespace orvane::ui
