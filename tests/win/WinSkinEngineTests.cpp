// The engine component: settings, stored skins, skin changes and the frames it attaches.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "skin/engine/ZUBSkinEngine.h"
#include "skin/reader/Skin2Define.h"
#include "tests/support/TempDir.h"
#include "tests/support/WinPump.h"
#include "toolkit/core/Exception.h"
#include "toolkit/core/FileSystem.h"
#include "toolkit/win/FormReader.h"
#include "toolkit/win/Forms.h"
#include "toolkit/win/Properties.h"

namespace {

using skin::TzubSkinEngine;
using testing_support::PumpUntil;

std::string SkinPath(const std::string& name) {
  return std::string(ORV_TEST_SKINS_DIR) + "/" + name;
}

std::vector<std::uint8_t> FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

std::string Hex(const std::vector<std::uint8_t>& bytes) {
  static const char* const kDigits = "0123456789ABCDEF";
  std::string text;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (i % 32 == 0) text += "\n      ";
    text += kDigits[bytes[i] >> 4];
    text += kDigits[bytes[i] & 15];
  }
  return text;
}

// The .zsk files in the temporary directory.
std::vector<std::string> TempPackages() {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(tk::TempDirectory()))
    if (entry.path().extension() == ".zsk") names.push_back(entry.path().filename().string());
  return names;
}

class TEngineHostForm : public tk::TForm {
  TK_CLASS(TEngineHostForm, tk::TForm)

 public:
  explicit TEngineHostForm(tk::TComponent* owner) : tk::TForm(owner) {}
};

// A form holding an engine, as a stored description makes it.
std::string HostDescription(const std::string& engineProperties) {
  return "object HostForm: TEngineHostForm\n"
         "  Left = 60\n  Top = 60\n  Width = 420\n  Height = 300\n"
         "  object SkinEngine1: TzubSkinEngine\n" +
         engineProperties + "  end\nend\n";
}

std::string BuiltInProperties(const std::string& package) {
  return "    Active = True\n    SkinFile = \"D:\\\\nowhere\\\\design.zsk\"\n"
         "    DisabledTag = 9999\n    Version = \"4.7\"\n    BuiltIn = True\n"
         "    SkinData = {" +
         Hex(FileBytes(SkinPath(package))) + "\n    }\n";
}

class SkinEngineTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { tk::RegisterComponentClass<TEngineHostForm>(); }

  // A plain form with an engine that has the skin file loaded and is active.
  TzubSkinEngine& ActiveEngine(const std::string& package = "default.zsk") {
    host_ = std::make_unique<tk::TForm>(nullptr);
    auto* engine = new TzubSkinEngine(host_.get());
    engine->SetSkinFile(SkinPath(package));
    engine->SetActive(true);
    return *engine;
  }

  std::unique_ptr<tk::TForm> host_;
};

TEST_F(SkinEngineTest, ANewEngineHasItsDefaultsAndItsSystemMenu) {
  tk::TForm form(nullptr);
  auto* engine = new TzubSkinEngine(&form);
  EXPECT_EQ(engine->Version(), "4.7");
  EXPECT_EQ(engine->DisabledTag(), 9999);
  EXPECT_FALSE(engine->Ready());
  EXPECT_FALSE(engine->Active());
  EXPECT_FALSE(engine->SkinningActive());
  EXPECT_TRUE(engine->SkinDialogs());
  EXPECT_TRUE(engine->SkinAllForms());
  EXPECT_TRUE(engine->DrawScrollBar());
  EXPECT_FALSE(engine->BuiltIn());
  tk::TMenuItem* items = engine->GetSysMenuPopup()->Items();
  ASSERT_EQ(items->Count(), 4);
  const char* const captions[] = {"Mi&nimize", "Ma&ximize/Restore", "-", "&Close"};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(items->Items(i)->Caption(), captions[i]) << i;

  engine->SetResSysMenuClose("&Quit");
  engine->SetResSysMenuMin("&Small");
  EXPECT_EQ(items->Items(3)->Caption(), "&Quit");
  EXPECT_EQ(items->Items(0)->Caption(), "&Small");
  EXPECT_EQ(items->Items(2)->Caption(), "-");
  EXPECT_EQ(engine->ResSysMenuClose(), "&Quit");
}

TEST_F(SkinEngineTest, MisuseIsRefusedWithItsMessage) {
  auto message = [](auto action) {
    try {
      action();
    } catch (const tk::Exception& e) {
      return e.Message();
    }
    return std::string("nothing raised");
  };
  tk::TComponent plain(nullptr);
  EXPECT_EQ(message([&] { TzubSkinEngine engine(&plain); }), "Must be placed on a Form");
  EXPECT_EQ(message([] { TzubSkinEngine engine(nullptr); }), "Must be placed on a Form");

  tk::TForm form(nullptr);
  auto* first = new TzubSkinEngine(&form);
  EXPECT_EQ(message([&] { new TzubSkinEngine(&form); }),
            "One form can only catch one TzubSkinEngine!");
  EXPECT_EQ(form.ComponentCount(), 1) << "the refused engine left its owner";
  EXPECT_EQ(message([&] { first->SetBuiltIn(true); }),
            "BuiltIn property only can be specified at design time!");
  first->SetDesigning(true);
  EXPECT_EQ(message([&] { first->SetBuiltIn(true); }),
            "Please specify the SkinFile property first!");
}

TEST_F(SkinEngineTest, AFormWithAStoredSkinLoadsItThroughATemporaryFileThatIsGone) {
  const auto before = TempPackages();
  std::unique_ptr<tk::TComponent> root =
      tk::ReadComponent(HostDescription(BuiltInProperties("default.zsk")));
  auto& form = static_cast<tk::TCustomForm&>(*root);
  auto& engine = static_cast<TzubSkinEngine&>(*form.FindComponent("SkinEngine1"));
  EXPECT_TRUE(engine.Ready());
  EXPECT_TRUE(engine.BuiltIn());
  EXPECT_EQ(engine.SkinFile(), "")
      << "the design-time path was not found, the temporary one is forgotten";
  EXPECT_EQ(engine.GetFormColor(), 0xE8E8E8u);
  EXPECT_EQ(engine.Metrics().TitleBarHeight, 31);
  EXPECT_EQ(engine.Metrics().MinFrameWidth, 31 + 17 + 324 / 6 + 35);
  EXPECT_EQ(TempPackages(), before) << "no package is left in the temporary directory";
  ASSERT_EQ(engine.WindowCount(), 1) << "loading skins the engine's own form";
  EXPECT_EQ(engine.Windows(0)->GetHandle(), form.Handle());
  EXPECT_EQ(SendMessageW(form.Handle(), skin::kSkinnedQuery, 0, 0), 1);

  EXPECT_FALSE(tk::WriteComponent(form).find("SkinData") != std::string::npos)
      << "a built-in skin without an existing SkinFile stores no package";
}

TEST_F(SkinEngineTest, SkinFilesAreFoundBesideTheProgramAndBadOnesLeaveTheEngineEmpty) {
  TzubSkinEngine& engine = ActiveEngine();
  char exe[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, exe, MAX_PATH);
  const std::filesystem::path beside =
      std::filesystem::path(exe).parent_path() / ("beside-" + tk::NewGuidString() + ".zsk");
  std::filesystem::copy_file(SkinPath("dark.zsk"), beside);
  const tk::ScopedTempFile cleanup(beside.string());

  engine.SetSkinFile("Q:\\no\\such\\dir\\" + beside.filename().string());
  EXPECT_TRUE(std::filesystem::equivalent(engine.SkinFile(), beside)) << engine.SkinFile();
  EXPECT_TRUE(engine.Ready());

  const std::string loaded = engine.SkinFile();
  engine.SetSkinFile("Q:\\no\\such\\dir\\missing-everywhere.zsk");
  EXPECT_EQ(engine.SkinFile(), loaded) << "a file found nowhere changes nothing";
  EXPECT_TRUE(engine.Ready());

  const testing_support::TempDir dir;
  std::ofstream(dir / "junk.zsk", std::ios::binary) << "not a skin package at all";
  struct TCase {
    std::string file, password, message;
  } cases[] = {
      {dir / "junk.zsk", "", "Failed to read skin file!"},
      {SkinPath("light-encrypted.zsk"), "wrong", "Wrong password!"},
  };
  for (const TCase& c : cases) {
    engine.SetPassword(c.password);
    try {
      engine.SetSkinFile(c.file);
      ADD_FAILURE() << c.file << " loaded";
    } catch (const tk::Exception& e) {
      EXPECT_EQ(e.Message(), c.message);
    }
    EXPECT_EQ(engine.SkinFile(), "");
    EXPECT_FALSE(engine.Ready());
  }
  engine.SetPassword("orvandel-light");
  engine.SetSkinFile(SkinPath("light-encrypted.zsk"));
  EXPECT_TRUE(engine.Ready());
}

TEST_F(SkinEngineTest, AStoredSkinThatCannotBeSavedEndsWithAnErrorInsteadOfRetryingForever) {
  char saved[MAX_PATH] = {};
  GetEnvironmentVariableA("TMP", saved, MAX_PATH);
  SetEnvironmentVariableA("TMP", "Q:\\no\\such\\temporary\\dir\\");
  std::string message;
  try {
    tk::ReadComponent(HostDescription(BuiltInProperties("default.zsk")));
  } catch (const tk::Exception& e) {
    message = e.Message();
  }
  SetEnvironmentVariableA("TMP", saved[0] != 0 ? saved : nullptr);
  EXPECT_EQ(message, "Failed to read skin file!");
}

TEST_F(SkinEngineTest, SkinChangesTellTheirEventsBeforeAndAfterEverythingChanged) {
  TzubSkinEngine& engine = ActiveEngine();
  std::vector<std::string> seen;
  engine.SetOnSkinChanging([&](tk::TObject* sender) {
    EXPECT_EQ(sender, &engine);
    seen.push_back("changing " + std::to_string(engine.Metrics().TitleBarHeight));
  });
  engine.SetOnSkinChanged([&](tk::TObject*) {
    seen.push_back("changed " + std::to_string(engine.Metrics().TitleBarHeight));
  });
  engine.SetSkinFile(SkinPath("light.zsk"));
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0], "changing 31");
  EXPECT_EQ(seen[1], "changed 24");
}

TEST_F(SkinEngineTest, PublishedPropertiesAreStoredInTheirOrder) {
  tk::TForm form(nullptr);
  new TzubSkinEngine(&form);
  const char* const order[] = {"Active",
                               "Ready",
                               "Password",
                               "SkinFile",
                               "ResSysMenuMin",
                               "ResSysMenuMax",
                               "ResSysMenuClose",
                               "DisabledTag",
                               "DrawScrollBar",
                               "Version",
                               "BuiltIn",
                               "SkinDialogs",
                               "SkinAllForms",
                               "NoChangeButtonsFontColor",
                               "AutoSkinWndClassNames"};
  std::vector<std::string> names;
  for (const tk::TPropInfo* prop : tk::GetPropList(&TzubSkinEngine::ClassInfo))
    if (prop->Name != "Name" && prop->Name != "Tag") names.push_back(prop->Name);
  EXPECT_EQ(names, std::vector<std::string>(std::begin(order), std::end(order)));

  auto& engine = static_cast<TzubSkinEngine&>(*form.Components(0));
  tk::SetPropText(engine, "Ready", "True");
  tk::SetPropText(engine, "Version", "\"9.9\"");
  EXPECT_FALSE(engine.Ready());
  EXPECT_EQ(engine.Version(), "4.7");
  tk::SetPropText(engine, "AutoSkinWndClassNames", "\"TMyDialog\\nTOther\"");
  ASSERT_EQ(engine.AutoSkinWndClassNames().Count(), 2);
  EXPECT_GE(skin::AutoSkinClassList().IndexOf("tmydialog"), 0);
}

}  // namespace
