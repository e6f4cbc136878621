#include "ui/framework/LanguageTable.h"

#include <QFile>
#include <QXmlStreamReader>

namespace orvane::ui {

bool LanguageTable::Load(const QString& path, QString& error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QString("cannot open %1: %2").arg(path, file.errorString());
        return false;
    }
    QHash<QString, QString> texts;
    QXmlStreamReader xml(&file);
    if (!xml.readNextStartElement() || xml.name() != u"language") {
        error = QString("%1: root element <language> missing").arg(path);
        return false;
    }
    while (xml.readNextStartElement()) {
        if (xml.name() == u"text") {
            const QString id = xml.attributes().value("id").toString();
            texts.insert(id, xml.readElementText());
        } else {
            xml.skipCurrentElement();
        }
    }
    if (xml.hasError()) {
        error = QString("%1 line %2 column %3: %4")
                    .arg(path)
                    .arg(xml.lineNumber())
                    .arg(xml.columnNumber())
                    .arg(xml.errorString());
        return false;
    }
    texts_ = std::move(texts);
    return true;
}

QString LanguageTable::Text(const QString& key) const {
    return texts_.value(key, key);
}

void LanguageTable::Clear() {
    texts_.clear();
}

}  // namespace orvane::ui
