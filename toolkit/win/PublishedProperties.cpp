// The published-property tables of the toolkit's own classes, one function per class that
// publishes. They live together here, listed in ToolkitPropertyTables, rather than as static
// registration objects beside each class: an object file of a static library that nothing
// references is left out of the link, and its registration with it. A class added to the
// toolkit adds its table here; classes outside the toolkit call RegisterProperties.

#include "Control.h"
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

// Color comes before ParentColor, because setting a colour clears ParentColor.
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
      BooleanProperty<TControl>("Enabled", &TControl::Enabled, &TControl::SetEnabled),
      BooleanProperty<TControl>("Visible", &TControl::Visible, &TControl::SetVisible),
  };
}

}  // namespace

// TWinControl publishes nothing of its own: it answers with TControl's table.
std::vector<std::pair<TClass, std::vector<TPropInfo>>> ToolkitPropertyTables() {
  std::vector<std::pair<TClass, std::vector<TPropInfo>>> tables;
  tables.emplace_back(&TComponent::ClassInfo, ComponentProperties());
  tables.emplace_back(&TControl::ClassInfo, ControlProperties());
  return tables;
}

}  // namespace tk
