#include <windows.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "toolkit/core/Exception.h"
#include "toolkit/win/FormReader.h"
#include "toolkit/win/Resources.h"
#include "toolkit/win/StdCtrls.h"

namespace {

// The test program embeds forms/TResourceTestForm.form and the empty forms/TEmptyForm.form
// as forms, and the first once more as the resource OTHERTYPE of the type FORMTEXT.
constexpr const char* kFormName = "TRESOURCETESTFORM";

std::string FileBytes(const char* path) {
  std::ifstream file(path, std::ios::binary);
  EXPECT_TRUE(file.is_open()) << path;
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::string ResourceError(const std::string& name) {
  try {
    tk::ReadComponentResource(name);
  } catch (const tk::EReadError& e) {
    return e.Message();
  }
  return "no error";
}

class ResourcesTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    tk::RegisterComponentClass<tk::TPanel>();
    tk::RegisterComponentClass<tk::TLabel>();
    tk::RegisterComponentClass<tk::TEdit>();
    tk::RegisterComponentClass<tk::TCheckBox>();
    tk::RegisterComponentClass<tk::TButton>();
  }
};

TEST_F(ResourcesTest, FormResourceHoldsTheFileByteForByte) {
  const std::string file = FileBytes(ORV_TEST_FORM_FILE);
  ASSERT_GT(file.size(), 100u);
  for (HMODULE module : {HMODULE{nullptr}, GetModuleHandleW(nullptr)}) {
    const std::optional<std::string> text = tk::LoadResourceText(module, kFormName);
    ASSERT_TRUE(text.has_value());
    EXPECT_EQ(*text, file);
  }
  EXPECT_EQ(tk::LoadResourceText(nullptr, "tResourceTestForm"), file) << "names ignore case";
}

TEST_F(ResourcesTest, EmptyResourceIsThereAndEmpty) {
  EXPECT_EQ(tk::LoadResourceText(nullptr, "TEMPTYFORM"), std::string());
  EXPECT_TRUE(tk::HasFormResource("TEmptyForm"));
  EXPECT_EQ(ResourceError("TEMPTYFORM"), "line 1: object expected");
}

TEST_F(ResourcesTest, NamesThatFindNoResource) {
  ASSERT_NE(FindResourceW(nullptr, L"OTHERTYPE", L"FORMTEXT"), nullptr);
  struct TCase {
    HMODULE Module;
    std::string Name;
  };
  const TCase cases[] = {
      {nullptr, ""},
      {nullptr, "TNOSUCHFORM"},
      {nullptr, "TRESOURCETESTFOR"},
      {nullptr, "TRESOURCETESTFORMS"},
      {nullptr, std::string(kFormName) + '\0' + "X"},
      {nullptr, "TRESOURCE TESTFORM"},
      {nullptr, "TRESOURCETESTFORM\xC3\xA9"},
      {nullptr, "#1"},
      {nullptr, std::string(100000, 'T')},
      {nullptr, "OTHERTYPE"},
      {GetModuleHandleW(L"kernel32.dll"), kFormName},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name.substr(0, 40));
    EXPECT_EQ(tk::LoadResourceText(c.Module, c.Name), std::nullopt);
  }
}

TEST_F(ResourcesTest, FormResourcesAreNamedByTheClassInUpperCase) {
  struct TCase {
    const char* ClassName;
    const char* ResourceName;
    bool Present;
  };
  const TCase cases[] = {
      {"TResourceTestForm", "TRESOURCETESTFORM", true},
      {"tresourcetestform", "TRESOURCETESTFORM", true},
      {"TMainForm", "TMAINFORM", false},
      {"TForm_2", "TFORM_2", false},
      {"OtherType", "OTHERTYPE", false},
      {"", "", false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.ClassName);
    EXPECT_EQ(tk::FormResourceName(c.ClassName), c.ResourceName);
    EXPECT_EQ(tk::HasFormResource(c.ClassName), c.Present);
  }
}

TEST_F(ResourcesTest, ReadingAResourceBuildsTheTree) {
  std::unique_ptr<tk::TComponent> root = tk::ReadComponentResource(kFormName);
  ASSERT_TRUE(root->Is<tk::TPanel>());
  auto& settings = static_cast<tk::TPanel&>(*root);
  EXPECT_EQ(settings.Name(), "Settings");
  EXPECT_EQ(settings.WideText(), L"Settings \"1\" \u00E9");
  EXPECT_EQ(settings.BoundsRect(), tk::Rect(40, 30, 360, 230));
  EXPECT_EQ(settings.Parent(), nullptr);
  EXPECT_EQ(settings.ComponentCount(), 5) << "the root owns every object below it";

  ASSERT_EQ(settings.ControlCount(), 4);
  const auto* options = static_cast<const tk::TWinControl*>(settings.Controls(2));
  ASSERT_EQ(options->ControlCount(), 1);
  struct TChild {
    const tk::TControl* Control;
    const tk::TWinControl* Parent;
    const char* Name;
    tk::TClass Class;
    const wchar_t* Caption;
  };
  const TChild children[] = {
      {settings.Controls(0), &settings, "Hint", &tk::TLabel::ClassInfo, L"Name:"},
      {settings.Controls(1), &settings, "NameEdit", &tk::TEdit::ClassInfo, L""},
      {settings.Controls(2), &settings, "Options", &tk::TPanel::ClassInfo, L""},
      {settings.Controls(3), &settings, "OkButton", &tk::TButton::ClassInfo, L"OK"},
      {options->Controls(0), options, "Remember", &tk::TCheckBox::ClassInfo, L"Remember"},
  };
  for (const TChild& c : children) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(c.Control->Name(), c.Name);
    EXPECT_EQ(c.Control->ClassType(), c.Class);
    EXPECT_EQ(c.Control->Parent(), c.Parent);
    EXPECT_EQ(c.Control->Owner(), &settings);
    EXPECT_EQ(c.Control->WideText(), c.Caption);
  }
  const tk::TControl* button = settings.Controls(3);
  EXPECT_EQ(button->BoundsRect(), tk::Rect(220, 160, 310, 188));
  EXPECT_EQ(button->Anchors(), tk::akRight | tk::akBottom);
}

TEST_F(ResourcesTest, MissingResourceRaisesAReadError) {
  for (const char* name : {"TNOSUCHFORM", "OTHERTYPE", ""}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(ResourceError(name), std::string("Resource ") + name + " not found");
  }
}

}  // namespace
