#include "ui/framework/DialogBuilder.h"

#include "platform/DebugLog.h"
#include "ui/framework/BuiltinControls.h"
#include "ui/framework/Control.h"
#include "ui/framework/ControlFactory.h"
#include "ui/framework/ResourceManager.h"

#include <QDir>
#include <QFile>
#include <QUiLoader>

namespace orvane::ui {
namespace {

class LayoutLoader final : public QUiLoader {
public:
    LayoutLoader(IDialogBuilderCallback* callback, QString layoutName)
        : callback_(callback), layoutName_(std::move(layoutName)) {
        clearPluginPaths();  // Designer plugins installed on the machine play no part in a skin
        setTranslationEnabled(false);  // texts go through the language table instead
        setWorkingDirectory(QDir(CResourceManager::GetInstance().GetResourcePath()));
    }

    QWidget* createWidget(const QString& className, QWidget* parent, const QString& name) override {
        CControlUI* control = CreateBuiltinControl(className);
        if (control == nullptr) control = CControlFactory::GetInstance().CreateControl(className);
        if (control == nullptr && callback_ != nullptr) control = callback_->CreateControl(className);
        if (control == nullptr) {
            QWidget* widget = QUiLoader::createWidget(className, parent, name);
            if (widget == nullptr) {
                DebugLog(QString("UI layout \"%1\": unknown control class \"%2\" (%3 left out)")
                             .arg(layoutName_, className, name)
                             .toStdString());
            }
            return widget;
        }
        QWidget* widget = control->GetWidget();
        if (widget->parentWidget() != parent) widget->setParent(parent);
        if (!name.isEmpty()) widget->setObjectName(name);
        return widget;
    }

private:
    IDialogBuilderCallback* callback_;
    QString layoutName_;
};

}  // namespace

CControlUI* CDialogBuilder::Create(const QString& layoutName, IDialogBuilderCallback* callback, QWidget* parent) {
    error_.clear();
    const QString path = CResourceManager::GetInstance().GetLayoutPath(layoutName);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error_ = QString("cannot open %1: %2").arg(path, file.errorString());
    } else {
        LayoutLoader loader(callback, layoutName);
        QWidget* root = loader.load(&file, parent);
        auto* control = dynamic_cast<CControlUI*>(root);
        if (control != nullptr) {
            for (CControlUI* c : ControlsBelow(root)) c->AdoptLayoutText();
            return control;
        }
        error_ = root == nullptr ? QString("%1: %2").arg(path, loader.errorString())
                                 : QString("%1: the root widget is no control").arg(path);
        delete root;
    }
    DebugLog(QString("UI layout \"%1\" not built: %2").arg(layoutName, error_).toStdString());
    return nullptr;
}

}  // namespace orvane::ui
