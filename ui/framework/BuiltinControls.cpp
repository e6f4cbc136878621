#include "ui/framework/BuiltinControls.h"

#include "ui/framework/BasicControl.h"
#include "ui/framework/ColorPalette.h"
#include "ui/framework/Combo.h"
#include "ui/framework/Container.h"
#include "ui/framework/Edit.h"
#include "ui/framework/Label.h"
#include "ui/framework/List.h"
#include "ui/framework/Option.h"
#include "ui/framework/Progress.h"
#include "ui/framework/RichEdit.h"
#include "ui/framework/Slider.h"
#include "ui/framework/TabLayout.h"

#include <QHash>


namespace orvane::ui {
namespace {

template <class T>
CControlUI* Make() {
    return new T;
}

const QHash<QString, CControlUI* (*)()>& Creators() {
    static const QHash<QString, CControlUI* (*)()> creators = {
        {"control", &Make<CBasicControlUI>},
        {"container", &Make<CContainerUI>},
        {"qwidget", &Make<CContainerUI>},
        {"horizontallayout", &Make<CHorizontalLayoutUI>},
        {"verticallayout", &Make<CVerticalLayoutUI>},
        {"tablayout", &Make<CTabLayoutUI>},
        {"qstackedwidget", &Make<CTabLayoutUI>},
        {"label", &Make<CLabelUI>},
        {"text", &Make<CLabelUI>},
        {"qlabel", &Make<CLabelUI>},
        {"button", &Make<CButtonUI>},
        {"qpushbutton", &Make<CButtonUI>},
        {"option", &Make<COptionUI>},
        {"checkbox", &Make<COptionUI>},
        {"qcheckbox", &Make<COptionUI>},
        {"qradiobutton", &Make<COptionUI>},
        {"edit", &Make<CEditUI>},
        {"qlineedit", &Make<CEditUI>},
        {"richedit", &Make<CRichEditUI>},
        {"qtextedit", &Make<CRichEditUI>},
        {"combo", &Make<CComboUI>},
        {"qcombobox", &Make<CComboUI>},
        {"slider", &Make<CSliderUI>},
        {"qslider", &Make<CSliderUI>},
        {"progress", &Make<CProgressUI>},
        {"qprogressbar", &Make<CProgressUI>},
        {"list", &Make<CListUI>},
        {"listcontainerelement", &Make<CListElementUI>},
        {"listlabelelement", &Make<CListLabelElementUI>},
        {"colorpalette", &Make<CColorPaletteUI>},
    };
    return creators;
}

}  // namespace

CControlUI* CreateBuiltinControl(const QString& tag) {
    const auto it = Creators().constFind(tag.toLower());
    return it == Creators().constEnd() ? nullptr : (*it)();
}

}  // namespace orvane::ui
