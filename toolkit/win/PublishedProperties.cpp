// The published-property tables of the toolkit's own classes, one function per class that
// publishes. They live together here, listed in ToolkitPropertyTables, rather than as static
// registration objects beside each class: an object file of a static library that nothing
// references is left out of the link, and its registration with it. A class added to the
// toolkit adds its table here; classes outside the toolkit call RegisterProperties.

#include "Control.h"
#include "Forms.h"
#include "Properties.h"
#include "WinControl.h"

namespace tk {

namespace {

// The component's name is stored in its object line, not as a property.
std::vector<TPropInfo> ComponentProperties() {
  TPropInfo name =
      StringProperty<TComponent>("Name", "TComponentName", &TComponent::Name, &TComponent::SetName);
  name.Stored = false;
  return {
      std::move(name),
      IntegerProperty<TComponent>("Tag", "NativeInt", &TComponent::Tag, &TComponent::SetTag),
  };
}

// Color comes before ParentColor and BiDiMode before ParentBiDiMode, because setting the
// value clears the Parent flag.
std::vector<TPropInfo> ControlProperties() {
  return {
      IntegerProperty<TControl>("Left", "Integer", &TControl::Left, &TControl::SetLeft),
      IntegerProperty<TControl>("Top", "Integer", &TControl::Top, &TControl::SetTop),
      IntegerProperty<TControl>("Width", "Integer", &TControl::Width, &TControl::SetWidth),
      IntegerProperty<TControl>("Height", "Integer", &TControl::Height, &TControl::SetHeight),
      EnumProperty<TControl>("Align", "TAlign",
                             {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"},
                             &TControl::Align, &TControl::SetAlign),
      SetProperty<TControl>("Anchors", "TAnchors", {"akLeft", "akTop", "akRight", "akBottom"},
                            &TControl::Anchors, &TControl::SetAnchors),
      WideStringProperty<TControl>("Caption", "TCaption", &TControl::WideText,
                                   &TControl::SetWideText),
      IntegerProperty<TControl>("Color", "TColor", &TControl::Color, &TControl::SetColor),
      BooleanProperty<TControl>("ParentColor", &TControl::ParentColor, &TControl::SetParentColor),
      EnumProperty<TControl>(
          "BiDiMode", "TBiDiMode",
          {"bdLeftToRight", "bdRightToLeft", "bdRightToLeftNoAlign", "bdRightToLeftReadingOnly"},
          &TControl::BiDiMode, &TControl::SetBiDiMode),
      BooleanProperty<TControl>("ParentBiDiMode", &TControl::ParentBiDiMode,
                                &TControl::SetParentBiDiMode),
      BooleanProperty<TControl>("Enabled", &TControl::Enabled, &TControl::SetEnabled),
      BooleanProperty<TControl>("Visible", &TControl::Visible, &TControl::SetVisible),
  };
}

// Width and Height come before ClientWidth and ClientHeight, which set them again, and the
// styles before both, since they decide the frame around the client area.
std::vector<TPropInfo> FormProperties() {
  return {
      EnumProperty<TCustomForm>(
          "BorderStyle", "TFormBorderStyle",
          {"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"},
          &TCustomForm::BorderStyle, &TCustomForm::SetBorderStyle),
      SetProperty<TCustomForm>("BorderIcons", "TBorderIcons",
                               {"biSystemMenu", "biMinimize", "biMaximize", "biHelp"},
                               &TCustomForm::BorderIcons, &TCustomForm::SetBorderIcons),
      EnumProperty<TCustomForm>("FormStyle", "TFormStyle",
                                {"fsNormal", "fsMDIChild", "fsMDIForm", "fsStayOnTop"},
                                &TCustomForm::FormStyle, &TCustomForm::SetFormStyle),
      EnumProperty<TCustomForm>(
          "Position", "TPosition",
          {"poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly", "poScreenCenter",
           "poDesktopCenter", "poMainFormCenter", "poOwnerFormCenter"},
          &TCustomForm::Position, &TCustomForm::SetPosition),
      EnumProperty<TCustomForm>("WindowState", "TWindowState",
                                {"wsNormal", "wsMinimized", "wsMaximized"},
                                &TCustomForm::WindowState, &TCustomForm::SetWindowState),
      IntegerProperty<TCustomForm>("ClientWidth", "Integer", &TCustomForm::ClientWidth,
                                   &TCustomForm::SetClientWidth),
      IntegerProperty<TCustomForm>("ClientHeight", "Integer", &TCustomForm::ClientHeight,
                                   &TCustomForm::SetClientHeight),
      BooleanProperty<TCustomForm>("AutoScroll", &TCustomForm::AutoScroll,
                                   &TCustomForm::SetAutoScroll),
      BooleanProperty<TCustomForm>("Scaled", &TCustomForm::Scaled, &TCustomForm::SetScaled),
      IntegerProperty<TCustomForm>("PixelsPerInch", "Integer", &TCustomForm::PixelsPerInch,
                                   &TCustomForm::SetPixelsPerInch),
  };
}

}  // namespace

// TWinControl publishes nothing of its own: it answers with TControl's table.
std::vector<std::pair<TClass, std::vector<TPropInfo>>> ToolkitPropertyTables() {
  std::vector<std::pair<TClass, std::vector<TPropInfo>>> tables;
  tables.emplace_back(&TComponent::ClassInfo, ComponentProperties());
  tables.emplace_back(&TControl::ClassInfo, ControlProperties());
  tables.emplace_back(&TCustomForm::ClassInfo, FormProperties());
  return tables;
}

}  // namespace tk
