#pragma once
// The framework's own control classes by layout tag, compared without regard to case. A tag is the
// class name ("Button", "Option", "HorizontalLayout", …) or the Qt widget class the control stands
// on, so plain Designer widgets become controls too:
//   Control                      CBasicControlUI
//   Container, QWidget           CContainerUI
//   HorizontalLayout             CHorizontalLayoutUI
//   VerticalLayout               CVerticalLayoutUI
//   TabLayout, QStackedWidget    CTabLayoutUI
//   Label, Text, QLabel          CLabelUI
//   Button, QPushButton          CButtonUI
//   Option, CheckBox, QCheckBox, QRadioButton   COptionUI
//   Edit, QLineEdit              CEditUI
//   RichEdit, QTextEdit          CRichEditUI
//   Combo, QComboBox             CComboUI
//   Slider, QSlider              CSliderUI
//   Progress, QProgressBar       CProgressUI
//   List                         CListUI
//   ListContainerElement         CListElementUI
//   ListLabelElement             CListLabelElementUI
//   ColorPalette                 CColorPaletteUI

#include <QString>

namespace orvane::ui {

class CControlUI;

// A new control for the tag, or nullptr when the tag is not one of the framework's.
CControlUI* CreateBuiltinControl(const QString& tag);

}  // namespace orvane::ui
