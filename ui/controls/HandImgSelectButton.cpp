#include "ui/controls/HandImgSelectButton.h"

#include "ui/framework/ImageString.h"
#include "ui/framework/ResourceManager.h"

#include <QHash>
#include <QImageReader>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <optional>

namespace orvane::ui {
namespace {

std::optional<Qt::CursorShape> CursorNamed(const QString& name) {
    // "size" and "icon" are retired shapes of the original cursor set: the move arrows and the arrow.
    static const QHash<QString, Qt::CursorShape> shapes = {
        {"arrow", Qt::ArrowCursor},       {"ibeam", Qt::IBeamCursor},       {"wait", Qt::WaitCursor},
        {"cross", Qt::CrossCursor},       {"uparrow", Qt::UpArrowCursor},   {"size", Qt::SizeAllCursor},
        {"icon", Qt::ArrowCursor},        {"sizenwse", Qt::SizeFDiagCursor}, {"sizenesw", Qt::SizeBDiagCursor},
        {"sizewe", Qt::SizeHorCursor},    {"sizens", Qt::SizeVerCursor},    {"sizeall", Qt::SizeAllCursor},
        {"no", Qt::ForbiddenCursor},      {"hand", Qt::PointingHandCursor},
    };
    const auto it = shapes.constFind(name);
    if (it == shapes.constEnd()) return std::nullopt;
    return *it;
}

// One axis of a drag: the pointer moved by `delta`, the window [low, high) shifts the other way
// and stays inside [0, extent).
void Shift(int delta, int extent, int& low, int& high) {
    if (delta < 0) {
        const int d = std::min(-delta, std::max(0, extent - high));
        low += d;
        high += d;
    } else if (delta > 0 && low > 0) {
        const int d = std::min(delta, low);
        low -= d;
        high -= d;
    }
}

}  // namespace

void CHandImgSelectButtonUI::SetAttribute(const QString& name, const QString& value) {
    if (name == "handimage") {
        SetHandImage(value);
    } else if (name == "cursor" && !value.isEmpty()) {
        if (auto shape = CursorNamed(value)) setCursor(*shape);
    } else {
        CButtonUI::SetAttribute(name, value);
    }
}

void CHandImgSelectButtonUI::SetHandImage(const QString& name) {
    handImage_ = name;
    const QSize size = QImageReader(CResourceManager::GetInstance().GetFilePath(name)).size();
    if (!size.isValid()) return;
    imageSize_ = size;
    window_ = QRect(0, 0, width(), height());
    if (width() < size.width() || height() < size.height()) {
        UpdateDrawString();
    } else {
        drawString_ = name;
    }
    Invalidate();
}

void CHandImgSelectButtonUI::UpdateDrawString() {
    drawString_ = QString("file='%1' ").arg(handImage_) +
                  QString("source='%1,%2,%3,%4'").arg(window_.left()).arg(window_.top()).arg(window_.left() + window_.width()).arg(window_.top() + window_.height());
}

void CHandImgSelectButtonUI::paintEvent(QPaintEvent* e) {
    CButtonUI::paintEvent(e);
    QPainter painter(this);
    DrawImage(painter, rect(), drawString_);
}

void CHandImgSelectButtonUI::StartDrag(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton || !IsEnabled() || !rect().contains(e->position().toPoint())) return;
    setDown(true);
    lastPoint_ = e->position().toPoint();
    dragging_ = true;
    e->accept();
}

void CHandImgSelectButtonUI::mousePressEvent(QMouseEvent* e) {
    StartDrag(e);
}

void CHandImgSelectButtonUI::mouseDoubleClickEvent(QMouseEvent* e) {
    StartDrag(e);
}

void CHandImgSelectButtonUI::mouseMoveEvent(QMouseEvent* e) {
    if (!dragging_) return;
    const QPoint point = e->position().toPoint();
    int left = window_.left();
    int right = window_.left() + window_.width();
    int top = window_.top();
    int bottom = window_.top() + window_.height();
    Shift(point.x() - lastPoint_.x(), imageSize_.width(), left, right);
    Shift(point.y() - lastPoint_.y(), imageSize_.height(), top, bottom);
    window_ = QRect(left, top, right - left, bottom - top);
    lastPoint_ = point;
    UpdateDrawString();
    Invalidate();
}

void CHandImgSelectButtonUI::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    setDown(false);
    dragging_ = false;
}

}  // namespace orvane::ui
