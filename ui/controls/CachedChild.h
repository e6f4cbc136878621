#pragma once
// A named child looked up below a control on first use and kept while it lives; looked up again
// after it is gone or while it has not been found.

#include "ui/framework/Control.h"

#include <QPointer>
#include <QWidget>

namespace orvane::ui {

template <class T>
T* CachedChild(QPointer<QWidget>& cache, const CControlUI* owner, const char* name) {
    if (!cache) {
        if (T* child = owner->FindSubControlByName<T>(name)) cache = child->GetWidget();
    }
    return dynamic_cast<T*>(cache.data());
}

}  // namespace orvane::ui
