#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "toolkit/core/Exception.h"
#include "toolkit/win/Component.h"
#include "toolkit/win/Control.h"
#include "toolkit/win/FormReader.h"
#include "toolkit/win/Properties.h"
#include "toolkit/win/WinControl.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

class TTestPanel : public tk::TWinControl {
  TK_CLASS(TTestPanel, tk::TWinControl)

 public:
  using TWinControl::TWinControl;
};

enum TRecorderMode { rmIdle, rmBusy, rmDone };

// Publishes one property of each own kind and defines the binary property "Data"; every
// write to them and Loaded are logged with the component's name and whether it is loading.
class TRecorder : public tk::TWinControl {
  TK_CLASS(TRecorder, tk::TWinControl)

 public:
  using TWinControl::TWinControl;

  static inline std::vector<std::string>* Log = nullptr;

  int Alpha() const { return alpha_; }
  void SetAlpha(int alpha) {
    Record("Alpha");
    alpha_ = alpha;
  }
  TRecorderMode Mode() const { return mode_; }
  void SetMode(TRecorderMode mode) {
    Record("Mode");
    mode_ = mode;
  }
  const std::string& Label() const { return label_; }
  void SetLabel(const std::string& label) {
    Record("Label");
    label_ = label;
  }
  const Bytes& Data() const { return data_; }
  void SetData(const Bytes& data) { data_ = data; }

  void DefineProperties(std::vector<tk::TDefinedProperty>& properties) override {
    TWinControl::DefineProperties(properties);
    properties.push_back({"Data",
                          [this](const Bytes& bytes) {
                            Record("Data");
                            data_ = bytes;
                          },
                          [this]() -> std::optional<Bytes> {
                            if (data_.empty()) return std::nullopt;
                            return data_;
                          }});
  }

  void Loaded() override {
    Record("Loaded");
    TWinControl::Loaded();
  }

 private:
  void Record(const std::string& what) {
    if (Log == nullptr) return;
    const bool loading = (ComponentState() & tk::csLoading) != 0;
    Log->push_back(Name() + "." + what + (loading ? " loading" : ""));
  }

  int alpha_ = 0;
  TRecorderMode mode_ = rmIdle;
  std::string label_;
  Bytes data_;
};

// Publishes Left a second time, which the table refuses.
class TDuplicateLeft : public tk::TWinControl {
  TK_CLASS(TDuplicateLeft, tk::TWinControl)
};

class StreamingTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    tk::RegisterProperties(
        &TRecorder::ClassInfo,
        {
            tk::IntegerProperty<TRecorder>("Alpha", "Integer", &TRecorder::Alpha,
                                           &TRecorder::SetAlpha),
            tk::EnumProperty<TRecorder>("Mode", "TRecorderMode", {"rmIdle", "rmBusy", "rmDone"},
                                        &TRecorder::Mode, &TRecorder::SetMode),
            tk::StringProperty<TRecorder>("Label", "string", &TRecorder::Label,
                                          &TRecorder::SetLabel),
        });
    tk::RegisterComponentClass<tk::TComponent>();
    tk::RegisterComponentClass<TTestPanel>();
    tk::RegisterComponentClass<TRecorder>();
  }
};

std::vector<std::string> NamesOf(const std::vector<const tk::TPropInfo*>& list) {
  std::vector<std::string> names;
  for (const tk::TPropInfo* prop : list) names.push_back(prop->Name);
  return names;
}

std::string ReadError(const std::string& text) {
  try {
    tk::ReadComponent(text);
  } catch (const tk::EReadError& e) {
    return e.Message();
  }
  return "no error";
}

// ---- Property tables ----------------------------------------------------------------------

TEST_F(StreamingTest, LookupFindsOwnAndInheritedNamesIgnoringCase) {
  tk::TComponent component(nullptr);
  TTestPanel panel(nullptr);
  TRecorder recorder(nullptr);
  struct TCase {
    const tk::TObject& Object;
    const char* Name;
    bool Found;
    tk::TTypeKind Kind;
    const char* TypeName;
  };
  const TCase cases[] = {
      {component, "Name", true, tk::tkString, "TComponentName"},
      {component, "TAG", true, tk::tkInteger, "NativeInt"},
      {component, "Left", false, tk::tkInteger, ""},
      {panel, "left", true, tk::tkInteger, "Integer"},
      {panel, "Caption", true, tk::tkWString, "TCaption"},
      {panel, "align", true, tk::tkEnumeration, "TAlign"},
      {panel, "Anchors", true, tk::tkSet, "TAnchors"},
      {panel, "ParentColor", true, tk::tkBoolean, "Boolean"},
      {panel, "Color", true, tk::tkInteger, "TColor"},
      {panel, "Tag", true, tk::tkInteger, "NativeInt"},
      {panel, "Alpha", false, tk::tkInteger, ""},
      {panel, "Lef", false, tk::tkInteger, ""},
      {panel, "", false, tk::tkInteger, ""},
      {recorder, "ALPHA", true, tk::tkInteger, "Integer"},
      {recorder, "mode", true, tk::tkEnumeration, "TRecorderMode"},
      {recorder, "Label", true, tk::tkString, "string"},
      {recorder, "Visible", true, tk::tkBoolean, "Boolean"},
      {recorder, "Data", false, tk::tkInteger, ""},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(std::string(c.Object.ClassName()) + "." + c.Name);
    EXPECT_EQ(tk::HasProperty(c.Object, c.Name), c.Found);
    const tk::TPropInfo* prop = tk::FindProperty(c.Object, c.Name);
    ASSERT_EQ(prop != nullptr, c.Found);
    if (prop == nullptr) continue;
    EXPECT_EQ(prop->Kind, c.Kind);
    EXPECT_EQ(prop->TypeName, c.TypeName);
  }
}

TEST_F(StreamingTest, PropertyListHasAncestorsFirstInPublishedOrder) {
  const std::vector<std::string> control = {"Name",           "Tag",     "Left",        "Top",
                                            "Width",          "Height",  "Align",       "Anchors",
                                            "Caption",        "Color",   "ParentColor", "BiDiMode",
                                            "ParentBiDiMode", "Enabled", "Visible"};
  EXPECT_EQ(NamesOf(tk::GetPropList(&tk::TWinControl::ClassInfo)), control);
  std::vector<std::string> recorder = control;
  recorder.insert(recorder.end(), {"Alpha", "Mode", "Label"});
  EXPECT_EQ(NamesOf(tk::GetPropList(&TRecorder::ClassInfo)), recorder);
}

TEST_F(StreamingTest, ValuesRoundTripAsText) {
  TRecorder recorder(nullptr);
  struct TCase {
    const char* Name;
    const char* Text;
    const char* Written;
  };
  const TCase cases[] = {
      {"Left", "12", "12"},
      {"Top", "-7", "-7"},
      {"Tag", "-9223372036854775808", "-9223372036854775808"},
      {"Color", "-16777201", "-16777201"},
      {"Align", "alclient", "alClient"},
      {"Anchors", "[ akBottom , akLeft ]", "[akLeft, akBottom]"},
      {"Anchors", "[]", "[]"},
      {"Visible", "false", "False"},
      {"Enabled", "TRUE", "True"},
      {"Mode", "rmDone", "rmDone"},
      {"Caption", R"("Say \"hi\"\t\\ \u00E9\u4E2D")", R"("Say \"hi\"\t\\ \u00E9\u4E2D")"},
      {"Caption", R"("")", R"("")"},
      {"Label", R"("line\r\n\u00FF")", R"("line\r\n\u00FF")"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(std::string(c.Name) + " = " + c.Text);
    tk::SetPropText(recorder, c.Name, c.Text);
    EXPECT_EQ(tk::GetPropText(recorder, c.Name), c.Written);
  }
}

TEST_F(StreamingTest, TypedAccessReachesTheObject) {
  TRecorder recorder(nullptr);
  tk::SetOrdProp(recorder, "left", 40);
  tk::SetOrdProp(recorder, "Anchors", tk::akRight | tk::akBottom);
  tk::SetOrdProp(recorder, "Align", tk::alTop);
  tk::SetStrProp(recorder, "Caption", "Narrow");
  tk::SetWideStrProp(recorder, "Label", L"Wide");
  EXPECT_EQ(recorder.Left(), 40);
  EXPECT_EQ(recorder.Anchors(), tk::akRight | tk::akBottom);
  EXPECT_EQ(recorder.Align(), tk::alTop);
  EXPECT_EQ(recorder.WideText(), L"Narrow");
  EXPECT_EQ(recorder.Label(), "Wide");
  EXPECT_EQ(tk::GetOrdProp(recorder, "Width"), recorder.Width());
  EXPECT_EQ(tk::GetWideStrProp(recorder, "Caption"), L"Narrow");
  EXPECT_EQ(tk::GetStrProp(recorder, "Label"), "Wide");
}

TEST_F(StreamingTest, TypedAccessRefusesWhatDoesNotFit) {
  TRecorder recorder(nullptr);
  struct TCase {
    void (*Access)(TRecorder&);
    const char* Message;
  };
  const TCase cases[] = {
      {[](TRecorder& r) { tk::SetOrdProp(r, "Align", tk::alClient + 1); },
       "Align: value out of range"},
      {[](TRecorder& r) { tk::SetOrdProp(r, "Visible", 2); }, "Visible: value out of range"},
      {[](TRecorder& r) { tk::SetOrdProp(r, "Anchors", 16); }, "Anchors: value out of range"},
      {[](TRecorder& r) { tk::SetOrdProp(r, "Left", std::int64_t{1} << 31); },
       "Left: value out of range"},
      {[](TRecorder& r) { tk::GetOrdProp(r, "Caption"); }, "Caption: not an ordinal property"},
      {[](TRecorder& r) { tk::SetStrProp(r, "Left", "1"); }, "Left: not a string property"},
      {[](TRecorder& r) { tk::GetStrProp(r, "Data"); }, "TRecorder has no property Data"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Message);
    try {
      c.Access(recorder);
      ADD_FAILURE() << "no error";
    } catch (const tk::EPropertyError& e) {
      EXPECT_EQ(e.Message(), c.Message);
    }
  }
  EXPECT_EQ(recorder.Align(), tk::alNone);
  EXPECT_EQ(recorder.Left(), 0);
}

TEST_F(StreamingTest, TableRefusesANameAnAncestorPublishes) {
  auto get = &tk::TControl::Left;
  auto set = &tk::TControl::SetLeft;
  EXPECT_THROW(
      tk::RegisterProperties(&TDuplicateLeft::ClassInfo,
                             {tk::IntegerProperty<tk::TControl>("LEFT", "Integer", get, set)}),
      tk::EPropertyError);
  EXPECT_EQ(tk::GetPropList(&TDuplicateLeft::ClassInfo).size(),
            tk::GetPropList(&tk::TWinControl::ClassInfo).size());
}

// ---- Reading descriptions -----------------------------------------------------------------

TEST_F(StreamingTest, ReadingSetsPropertiesThenDefinedThenLoaded) {
  std::vector<std::string> log;
  TRecorder::Log = &log;
  const std::string text =
      "// a panel with two children\r\n"
      "object Root: TRecorder\r\n"
      "  Label = \"root\"\r\n"
      "  Alpha = 1\r\n"
      "\r\n"
      "  Data = {\r\n"
      "    0102\r\n"
      "    ff\r\n"
      "  }\r\n"
      "  Mode = rmBusy\r\n"
      "  object First: TRecorder\r\n"
      "    Left = 10\r\n"
      "    Alpha = 2\r\n"
      "  end\r\n"
      "  object Second: TRecorder\r\n"
      "    Width = 30\r\n"
      "    Data = {\r\n"
      "    }\r\n"
      "  end\r\n"
      "end\r\n";
  std::unique_ptr<tk::TComponent> root = tk::ReadComponent(text);
  TRecorder::Log = nullptr;
  const std::vector<std::string> expected = {
      "Root.Label loading",  "Root.Alpha loading",   "Root.Mode loading",
      "Root.Data loading",   "First.Alpha loading",  "Second.Data loading",
      "Root.Loaded loading", "First.Loaded loading", "Second.Loaded loading",
  };
  EXPECT_EQ(log, expected);

  ASSERT_TRUE(root->Is<TRecorder>());
  auto& panel = static_cast<TRecorder&>(*root);
  EXPECT_EQ(panel.Name(), "Root");
  EXPECT_EQ(panel.Label(), "root");
  EXPECT_EQ(panel.Mode(), rmBusy);
  EXPECT_EQ(panel.Data(), (Bytes{0x01, 0x02, 0xFF}));
  ASSERT_EQ(panel.ControlCount(), 2);
  ASSERT_EQ(panel.ComponentCount(), 2);
  auto& first = static_cast<TRecorder&>(*panel.Controls(0));
  auto& second = static_cast<TRecorder&>(*panel.Controls(1));
  EXPECT_EQ(first.Name(), "First");
  EXPECT_EQ(second.Name(), "Second");
  EXPECT_EQ(first.Owner(), &panel);
  EXPECT_EQ(second.Parent(), &panel);
  EXPECT_EQ(first.Left(), 10);
  EXPECT_EQ(first.Alpha(), 2);
  EXPECT_EQ(second.Width(), 30);
  EXPECT_TRUE(second.Data().empty());
  for (const tk::TComponent* component : {root.get(), panel.Components(0), panel.Components(1)})
    EXPECT_EQ(component->ComponentState() & tk::csLoading, 0u) << component->Name();
}

TEST_F(StreamingTest, ComponentsThatAreNotControlsAreOwnedOnly) {
  std::unique_ptr<tk::TComponent> root = tk::ReadComponent(
      "object Root: TTestPanel\n"
      "  object Engine: TComponent\n"
      "    Tag = 9999\n"
      "  end\n"
      "end\n");
  auto& panel = static_cast<TTestPanel&>(*root);
  ASSERT_EQ(panel.ComponentCount(), 1);
  EXPECT_EQ(panel.ControlCount(), 0);
  EXPECT_EQ(panel.Components(0)->Name(), "Engine");
  EXPECT_EQ(panel.Components(0)->Tag(), 9999);
}

TEST_F(StreamingTest, WrittenTreeReadsBackTheSame) {
  TRecorder root(nullptr);
  root.SetName("Form");
  root.SetBounds(5, 6, 300, 200);
  root.SetWideText(L"T\u00EAte \"1\"");
  root.SetMode(rmDone);
  // Read in the wrong order, the colour would clear ParentColor again.
  root.SetColor(tk::RGBColor(1, 2, 3));
  root.SetParentColor(true);
  auto* child = new TRecorder(&root);
  child->SetName("Inner");
  child->SetParent(&root);
  child->SetAnchors(tk::akLeft | tk::akRight);
  child->SetVisible(false);
  child->SetLabel("x\\y");
  auto* grandChild = new TTestPanel(&root);
  grandChild->SetName("Deep");
  grandChild->SetParent(child);
  grandChild->SetColor(tk::clWhite);
  grandChild->SetTag(-3);
  auto* plain = new tk::TComponent(&root);
  plain->SetName("Plain");

  const std::string text = tk::WriteComponent(root);
  std::unique_ptr<tk::TComponent> copy = tk::ReadComponent(text);
  EXPECT_EQ(tk::WriteComponent(*copy), text);
  EXPECT_NE(text.find("    object Deep: TTestPanel\n"), std::string::npos) << text;
  EXPECT_EQ(text.find("Data"), std::string::npos) << "empty Data is not stored";

  auto& form = static_cast<TRecorder&>(*copy);
  EXPECT_EQ(form.BoundsRect(), tk::Rect(5, 6, 305, 206));
  EXPECT_EQ(form.WideText(), L"T\u00EAte \"1\"");
  EXPECT_TRUE(form.ParentColor());
  EXPECT_EQ(form.Color(), tk::RGBColor(1, 2, 3));
  ASSERT_EQ(form.ControlCount(), 1);
  auto& inner = static_cast<TRecorder&>(*form.Controls(0));
  EXPECT_EQ(inner.Anchors(), tk::akLeft | tk::akRight);
  EXPECT_FALSE(inner.Visible());
  EXPECT_EQ(inner.Label(), "x\\y");
  ASSERT_EQ(inner.ControlCount(), 1);
  EXPECT_EQ(inner.Controls(0)->Color(), tk::clWhite);
  EXPECT_EQ(inner.Controls(0)->Tag(), -3);
  EXPECT_EQ(form.ComponentCount(), 3);
}

TEST_F(StreamingTest, BinaryPropertyOf16KiBRoundTripsExactly) {
  constexpr std::size_t kSize = 16 * 1024;
  Bytes data(kSize);
  for (std::size_t i = 0; i < kSize; ++i) data[i] = static_cast<std::uint8_t>(i * 37 + (i >> 8));
  TRecorder recorder(nullptr);
  recorder.SetName("Engine");
  recorder.SetData(data);

  const std::string text = tk::WriteComponent(recorder);
  EXPECT_NE(text.find("  Data = {\n    00254A"), std::string::npos);
  std::unique_ptr<tk::TComponent> copy = tk::ReadComponent(text);
  EXPECT_EQ(static_cast<TRecorder&>(*copy).Data(), data);
}

// ---- Damaged descriptions -----------------------------------------------------------------

std::string InRoot(const std::string& body) {
  return "object Root: TRecorder\n" + body + "end\n";
}

std::string NestedPanels(int depth) {
  std::string text;
  for (int i = 0; i < depth; ++i) text += "object P" + std::to_string(i) + ": TTestPanel\n";
  for (int i = 0; i < depth; ++i) text += "end\n";
  return text;
}

TEST_F(StreamingTest, DamagedDescriptionsFailWithTheirLine) {
  struct TCase {
    std::string Text;
    const char* Message;
  };
  const TCase cases[] = {
      {"", "line 1: object expected"},
      {"\n// only a comment\n", "line 2: object expected"},
      {"Left = 1\n", "line 1: object expected"},
      {"object Root: TNoSuchClass\nend\n", "line 1: unknown class TNoSuchClass"},
      {"object Root TRecorder\nend\n", "line 1: object line without : class"},
      {"object : TRecorder\nend\n", "line 1: object name expected"},
      {"object Root: T-Recorder\nend\n", "line 1: class name expected"},
      {"object Root: TRecorder\n", "line 1: object Root has no end"},
      {"object Root: TRecorder\nend\nend\n", "line 3: text after the end of the root object"},
      {"// c\r\n\r\nobject Root: TRecorder\r\n  Lift = 1\r\nend\r\n",
       "line 4: unknown property Lift of TRecorder"},
      {InRoot("  Left 1\n"), "line 2: Name = value expected"},
      {InRoot("  = 1\n"), "line 2: property name expected"},
      {InRoot("  Left =\n"), "line 2: Left: value expected"},
      {InRoot("  Left = abc\n"), "line 2: Left: integer expected"},
      {InRoot("  Left = 12px\n"), "line 2: Left: integer expected"},
      {InRoot("  Left = 2147483648\n"), "line 2: Left: value out of range"},
      {InRoot("  Tag = 99999999999999999999\n"), "line 2: Tag: value out of range"},
      {InRoot("  Align = alMiddle\n"), "line 2: Align: unknown value alMiddle"},
      {InRoot("  Visible = Maybe\n"), "line 2: Visible: unknown value Maybe"},
      {InRoot("  Anchors = [akLeft, akMiddle]\n"), "line 2: Anchors: unknown set element akMiddle"},
      {InRoot("  Anchors = [akLeft,\n"), "line 2: Anchors: set expected"},
      {InRoot("  Anchors = [akLeft,]\n"), "line 2: Anchors: set element expected"},
      {InRoot("  Anchors = [, akLeft]\n"), "line 2: Anchors: set element expected"},
      {InRoot("  Caption = plain\n"), "line 2: Caption: quoted string expected"},
      {InRoot("  Caption = \"open\n"), "line 2: Caption: unterminated string"},
      {InRoot("  Caption = \"open\\\"\n"), "line 2: Caption: unterminated string"},
      {InRoot("  Caption = \"a\"b\"\n"), "line 2: Caption: text after the closing quote"},
      {InRoot("  Caption = \"bad \\q\"\n"), "line 2: Caption: bad escape"},
      {InRoot("  Caption = \"\\u12\"\n"), "line 2: Caption: bad escape"},
      {InRoot("  Caption = \"\\u12G4\"\n"), "line 2: Caption: bad escape"},
      {InRoot("  Caption = \"tab\there\"\n"), "line 2: Caption: character to be escaped"},
      {InRoot("  Label = \"\\u0100\"\n"), "line 2: Label: character out of range"},
      {InRoot("  Data = 12\n"), "line 2: Data: binary block expected"},
      {InRoot("  Left = {\n  }\n"), "line 2: Left: not a binary property"},
      {InRoot("  Data = {\n    0A0\n  }\n"), "line 3: Data: odd number of hex digits"},
      {InRoot("  Data = {\n    0G\n  }\n"), "line 3: Data: hex digits or } expected"},
      {InRoot("  Data = {\n    00\n"), "line 4: Data: hex digits or } expected"},
      {"object Root: TRecorder\n  Data = {\n    00\n", "line 2: Data: binary block has no end"},
      {InRoot("  object A: TRecorder\n  end\n  Left = 1\n"),
       "line 4: property after child objects"},
      {"object Root: TRecorder\n  object A: TRecorder\n", "line 2: object A has no end"},
      {"object Root: TComponent\n  object A: TRecorder\n  end\nend\n",
       "line 2: TRecorder cannot be placed on TComponent"},
      {NestedPanels(40), "line 33: objects nested too deeply"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Text);
    EXPECT_EQ(ReadError(c.Text), c.Message);
  }
}

TEST_F(StreamingTest, NestingUpToTheLimitReads) {
  EXPECT_NO_THROW(tk::ReadComponent(NestedPanels(32)));
}

}  // namespace
