#pragma once
// The skin: its folder, the resource list "res.xml", the rule that turns a layout name into a file,
// and the language text table. UI thread only.
//
// Layout names. A name is either a resource name listed in res.xml ("XML_MAIN") or a path relative
// to the skin folder ("menu.xml", "XML\\DeviceXml\\mousedevice1.xml"). A backslash is a folder
// separator, and a trailing ".xml" stands for ".ui": every layout file is a Qt Designer .ui file, so
// "XML\\DeviceXml\\mousedevice1.xml" is skin/XML/DeviceXml/mousedevice1.ui. The same rule applies
// to the files res.xml names.
//
// res.xml:
//   <resources>
//     <layout name="XML_MAIN" file="main.ui"/>
//   </resources>
//
// Image files (image strings, style sheets) are found relative to the skin folder too; style
// sheets reach them through the search prefix "skin:", e.g. url(skin:common/close.png).

#include "ui/framework/LanguageTable.h"

#include <QHash>
#include <QString>

namespace orvane::ui {

class CResourceManager {
public:
    static CResourceManager& GetInstance();

    void SetResourcePath(const QString& folder);
    QString GetResourcePath() const;

    // Reads the resource list from the skin folder. False, with a debug log line, when it is
    // missing or malformed; the names already known stay.
    bool LoadResource(const QString& listFile = "res.xml");
    // Forgets the resource list and the language table.
    void Release();

    // The .ui file a layout name stands for (it need not exist).
    QString GetLayoutPath(const QString& name) const;
    // A file named relative to the skin folder, or an absolute path unchanged.
    QString GetFilePath(const QString& name) const;

    // Language: `file` is named like a layout file, without the .ui rule. False, with a debug log
    // line, when the file is missing or malformed; the previous texts stay.
    bool LoadLanguage(const QString& file);
    void SetLanguage(const QString& name);
    QString GetLanguage() const;
    QString GetText(const QString& key) const;
    // Shows the current texts in every control of every window.
    void ReloadText();

private:
    CResourceManager() = default;

    QString folder_;
    QHash<QString, QString> layouts_;
    LanguageTable texts_;
    QString language_;
};

}  // namespace orvane::ui
