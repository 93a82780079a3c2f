#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "Component.h"

namespace tk {

// Stored form descriptions: a text of nested objects, each with its published properties in
// published order and then its defined binary properties.
//
//   // a comment line
//   object MainForm: TMyForm
//     Left = 10
//     Caption = "Main \"window\""
//     Align = alClient
//     Anchors = [akLeft, akTop]
//     Visible = True
//     SkinData = {
//       534B0304
//     }
//     object Button1: TMyButton
//       Left = 8
//     end
//   end
//
// Blank lines and lines starting with // are skipped; values are written as GetPropText
// writes them; a binary block holds hex digit pairs and ends with a line "}".

// Makes an empty component of a registered class, owned by owner.
using TComponentFactory = TComponent* (*)(TComponent* owner);

// Lets descriptions create objects of cls by its class name (compared ignoring case).
// Registering a class again is harmless; another class of the same name is refused.
void RegisterComponentClass(TClass cls, TComponentFactory factory);
template <typename T>
void RegisterComponentClass() {
  RegisterComponentClass(&T::ClassInfo,
                         [](TComponent* owner) -> TComponent* { return new T(owner); });
}
TClass FindComponentClass(std::string_view name);

// Creates the tree a description holds. The root has no owner; it owns every object below
// it, and a control inside a windowed control has it as parent. Each object is marked
// csLoading when created; its properties are set in file order, then its defined properties
// are read; once the whole text is read, every object is told Loaded, in creation order.
// Damaged text raises EReadError "line N: ..." and frees what was made.
std::unique_ptr<TComponent> ReadComponent(std::string_view text);

// Reads a description into an existing root, whose class the root object must name: its
// properties and the objects below it, which it then owns. A form reads its own stored
// description this way. Damaged text raises EReadError and frees the objects made below
// the root; properties already set on the root keep their new values.
void ReadComponentInto(TComponent& root, std::string_view text);

// The description of root and every component it owns: each object's stored published
// properties in published order and the defined properties that have something to store.
// A control is written inside its parent's object, any other component inside the root's,
// so a control whose parent is not in the tree is left out.
std::string WriteComponent(TComponent& root);

}  // namespace tk
