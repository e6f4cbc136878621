#pragma once
// ControlWidget<QtWidget>: a Qt widget that is a CControlUI. It routes what every control shares:
// layout attributes (dynamic properties) to SetAttribute, the background painting, focus changes
// to "setfocus"/"killfocus" and context-menu requests to "menu". Control classes derive from it;
// custom controls derive from a control class or from ControlWidget<SomeQtWidget> directly.

#include "ui/framework/Control.h"

#include <QAbstractScrollArea>
#include <QContextMenuEvent>
#include <QEvent>
#include <QFocusEvent>
#include <QPainter>
#include <QStyleOption>

#include <type_traits>

namespace orvane::ui {

// A property value as attribute text; string lists (Designer "stringlist") are joined with '|'.
QString AttributeText(const QVariant& value);

template <class QtWidget>
class ControlWidget : public QtWidget, public CControlUI {
public:
    explicit ControlWidget(QWidget* parent = nullptr) : QtWidget(parent), CControlUI(this) {}

protected:
    bool event(QEvent* e) override {
        if (e->type() == QEvent::DynamicPropertyChange) {
            const QByteArray name = static_cast<QDynamicPropertyChangeEvent*>(e)->propertyName();
            const QVariant value = this->property(name.constData());
            if (value.isValid() && !name.startsWith("_q_")) SetAttribute(QString::fromUtf8(name), AttributeText(value));
        }
        return QtWidget::event(e);
    }

    void paintEvent(QPaintEvent* e) override {
        if constexpr (std::is_same_v<QtWidget, QWidget>) {
            // A plain QWidget subclass draws no style-sheet background unless asked to.
            QStyleOption option;
            option.initFrom(this);
            QPainter painter(this);
            this->style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);
        }
        if (HasBackground()) {
            QPainter painter(PaintTarget());
            PaintBackground(painter, PaintTarget()->rect());
        }
        QtWidget::paintEvent(e);
    }

    void focusInEvent(QFocusEvent* e) override {
        QtWidget::focusInEvent(e);
        if (e->reason() != Qt::PopupFocusReason) SendNotify("setfocus");
    }

    void focusOutEvent(QFocusEvent* e) override {
        QtWidget::focusOutEvent(e);
        if (e->reason() != Qt::PopupFocusReason) SendNotify("killfocus");
    }

    void contextMenuEvent(QContextMenuEvent* e) override {
        if (!IsContextMenuUsed()) {
            QtWidget::contextMenuEvent(e);
            return;
        }
        e->accept();
        SendNotify("menu");
    }

private:
    QWidget* PaintTarget() {
        if constexpr (std::is_base_of_v<QAbstractScrollArea, QtWidget>) {
            return this->viewport();
        } else {
            return this;
        }
    }
};

}  // namespace orvane::ui
