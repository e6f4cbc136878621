#include "ui/framework/ResourceManager.h"

#include "platform/DebugLog.h"
#include "ui/framework/Control.h"
#include "ui/framework/WindowImplBase.h"

#include <QDir>
#include <QFile>
#include <QXmlStreamReader>

namespace orvane::ui {
namespace {

QString WithSlashes(QString name) {
    return name.replace('\\', '/');
}

}  // namespace

CResourceManager& CResourceManager::GetInstance() {
    static CResourceManager instance;
    return instance;
}

void CResourceManager::SetResourcePath(const QString& folder) {
    folder_ = QDir::cleanPath(folder);
    QDir::setSearchPaths("skin", {folder_});
}

QString CResourceManager::GetResourcePath() const {
    return folder_;
}

bool CResourceManager::LoadResource(const QString& listFile) {
    const QString path = GetFilePath(listFile);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        DebugLog(QString("UI resource list %1: cannot open: %2").arg(path, file.errorString()).toStdString());
        return false;
    }
    QHash<QString, QString> layouts;
    QXmlStreamReader xml(&file);
    if (xml.readNextStartElement() && xml.name() == u"resources") {
        while (xml.readNextStartElement()) {
            if (xml.name() == u"layout") {
                const auto attributes = xml.attributes();
                layouts.insert(attributes.value("name").toString(), attributes.value("file").toString());
            }
            xml.skipCurrentElement();
        }
    } else if (!xml.hasError()) {
        xml.raiseError("root element <resources> missing");
    }
    if (xml.hasError()) {
        DebugLog(QString("UI resource list %1 line %2: %3")
                     .arg(path)
                     .arg(xml.lineNumber())
                     .arg(xml.errorString())
                     .toStdString());
        return false;
    }
    layouts_.insert(layouts);
    return true;
}

void CResourceManager::Release() {
    layouts_.clear();
    texts_.Clear();
    language_.clear();
}

QString CResourceManager::GetLayoutPath(const QString& name) const {
    QString file = WithSlashes(layouts_.value(name, name));
    if (file.endsWith(".xml", Qt::CaseInsensitive)) file = file.chopped(4) + ".ui";
    return GetFilePath(file);
}

QString CResourceManager::GetFilePath(const QString& name) const {
    const QString file = WithSlashes(name);
    if (QDir::isAbsolutePath(file)) return QDir::cleanPath(file);
    return QDir::cleanPath(folder_ + '/' + file);
}

bool CResourceManager::LoadLanguage(const QString& file) {
    QString error;
    if (texts_.Load(GetFilePath(file), error)) return true;
    DebugLog(("UI language file: " + error).toStdString());
    return false;
}

void CResourceManager::SetLanguage(const QString& name) {
    language_ = name;
}

QString CResourceManager::GetLanguage() const {
    return language_;
}

QString CResourceManager::GetText(const QString& key) const {
    return texts_.Text(key);
}

void CResourceManager::ReloadText() {
    for (WindowImplBase* window : WindowImplBase::Windows()) {
        for (CControlUI* control : ControlsBelow(window)) control->ReloadText();
    }
}

}  // namespace orvane::ui
