#include "tools/zsk/ZskCommands.h"

#include <cstdio>
#include <filesystem>
#include <functional>
#include <iomanip>
#include <set>

#include "skin/reader/PackageReader.h"
#include "skin/reader/Sk2File.h"
#include "skin/reader/SkinFileReader.h"
#include "toolkit/core/Bitmap.h"
#include "toolkit/core/Exception.h"
#include "toolkit/core/FileStream.h"
#include "toolkit/core/FileSystem.h"
#include "toolkit/core/SysUtils.h"
#include "tools/zsk/CatalogueCheck.h"
#include "tools/zsk/Manifest.h"
#include "tools/zsk/PackageWriter.h"
#include "tools/zsk/Sk2Writer.h"

namespace zsk {

namespace fs = std::filesystem;

namespace {

constexpr const char* kUsage =
    "usage: zsk COMMAND ARGUMENTS [--password P]\n"
    "\n"
    "Commands:\n"
    "  pack DIR OUT.zsk          pack the skin folder DIR (described by DIR/skin.txt)\n"
    "  unpack PKG DIR            write the bitmaps of PKG and a skin.txt into DIR\n"
    "  info PKG                  list the elements of PKG in file order\n"
    "  extract PKG ENTRY OUT     write the entry ENTRY of PKG to the file OUT\n"
    "  verify PKG                load PKG the way the engine loads skins\n"
    "\n"
    "--password P encrypts the package (pack) or decrypts it (the other commands).\n"
    "\n"
    "skin.txt holds one element per line, packed in line order; '#' starts a comment line:\n"
    "  bitmap NAME FILE.bmp      integer NAME 42 | -7 | 0x1F    color NAME #RRGGBB\n"
    "  boolean NAME true|false   string NAME some text | \"  text with outer blanks \"\n"
    "\n"
    "Exit codes: 0 success; 1 bad usage, unreadable input or failed verification;\n"
    "2 wrong password. extract answers the package reader's result: 0 extracted,\n"
    "1 unreadable, 2 wrong password.\n";

constexpr const char* kBitmapExtension = ".bmp";
constexpr const char* kManifestHeader =
    "# Skin elements in file order, one a line; \"zsk pack\" packs this folder.\n";
constexpr int kKindWidth = 8;
constexpr int kNameWidth = 28;
constexpr int kHexDigits = 8;
constexpr unsigned char kFirstPrintable = 0x20;
constexpr unsigned char kDelete = 0x7F;

// A failure with its own exit code; the message becomes the line "zsk: message".
struct CommandError {
  std::string message;
  int exitCode = kExitFailure;
};

struct CommandLine {
  std::vector<std::string> operands;
  std::string password;
};

// The text in double quotes, with quotes, backslashes and control bytes escaped.
std::string Quoted(const std::string& text) {
  std::string out = "\"";
  for (unsigned char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < kFirstPrintable || c == kDelete) {
      char escape[sizeof "\\xFF"];
      std::snprintf(escape, sizeof escape, "\\x%02X", c);
      out += escape;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

std::string Hex32(std::int32_t value) {
  char text[sizeof "0x00000000"];
  std::snprintf(text, sizeof text, "0x%0*X", kHexDigits, static_cast<unsigned>(value));
  return text;
}

std::string Text(const std::vector<std::uint8_t>& data) {
  return std::string(data.begin(), data.end());
}

void CheckExtractResult(std::uint8_t result, const std::string& package, const std::string& entry) {
  if (result == skin::kExtractUnreadable) {
    throw CommandError{
        package + ": cannot read the entry " + entry + " (missing, damaged or not a skin package)",
        skin::kExtractUnreadable};
  }
  if (result == skin::kExtractWrongPassword) {
    throw CommandError{package + ": wrong password for the entry " + entry,
                       skin::kExtractWrongPassword};
  }
}

// The skin data file of a package, passed through a temporary file that is deleted afterwards.
std::vector<skin::Sk2Element> ReadSkinData(const std::string& package,
                                           const std::string& password) {
  const tk::ScopedTempFile temp(tk::TempDirectory() + "zsk-" + tk::NewGuidString() + ".sk2");
  CheckExtractResult(
      skin::ExtractPackageEntry(package, skin::kSkinDataEntryName, temp.Name(), password), package,
      skin::kSkinDataEntryName);
  tk::TFileStream file(temp.Name(), tk::fmOpenRead | tk::fmShareDenyWrite);
  try {
    return skin::ReadSk2Elements(file);
  } catch (const tk::Exception& e) {
    throw CommandError{package + ": " + e.Message()};
  }
}

std::string BitDepth(tk::TPixelFormat format) {
  switch (format) {
    case tk::pf1bit: return "1-bit";
    case tk::pf4bit: return "4-bit";
    case tk::pf8bit: return "8-bit";
    case tk::pf15bit: return "15-bit";
    case tk::pf16bit: return "16-bit";
    case tk::pf24bit: return "24-bit";
    case tk::pf32bit: return "32-bit";
    case tk::pfDevice:
    case tk::pfCustom: break;
  }
  return "unknown depth";
}

std::string DescribeBitmap(const std::vector<std::uint8_t>& data) {
  try {
    tk::TBytesStream stream(data.data(), static_cast<std::int64_t>(data.size()));
    tk::TBitmap bitmap;
    bitmap.LoadFromStream(stream);
    return std::to_string(bitmap.Width()) + "x" + std::to_string(bitmap.Height()) + ", " +
           BitDepth(bitmap.PixelFormat());
  } catch (const tk::Exception& e) {
    return "invalid bitmap (" + e.Message() + "), " + std::to_string(data.size()) + " bytes";
  }
}

int Pack(const CommandLine& line, std::ostream&, std::ostream& err) {
  const SkinFolder folder = LoadSkinFolder(line.operands[0]);
  for (const std::string& warning : folder.warnings) err << "zsk: warning: " << warning << "\n";
  const PackageEntry entry{skin::kSkinDataEntryName, BuildSk2(folder.elements), line.password};
  WriteFileBytes(line.operands[1], BuildPackage({entry}));
  return kExitOk;
}

int Info(const CommandLine& line, std::ostream& out, std::ostream&) {
  int counts[skin::skString + 1] = {};
  int unknown = 0;
  const std::vector<skin::Sk2Element> elements = ReadSkinData(line.operands[0], line.password);
  for (const skin::Sk2Element& element : elements) {
    std::string kind;
    std::string value;
    switch (element.kind) {
      case skin::skBitmap:
        kind = "bitmap";
        value = DescribeBitmap(element.data);
        break;
      case skin::skInteger: {
        const std::int32_t number = skin::Sk2IntegerValue(element.data);
        kind = "integer";
        value = std::to_string(number) + " (" + Hex32(number) + ")";
        break;
      }
      case skin::skBoolean:
        kind = "boolean";
        value = skin::Sk2BooleanValue(element.data) != 0 ? "true" : "false";
        break;
      case skin::skString:
        kind = "string";
        value = Quoted(Text(element.data));
        break;
      default:
        kind = "kind " + std::to_string(element.kind);
        value = std::to_string(element.data.size()) + " bytes";
        ++unknown;
    }
    if (element.kind <= skin::skString) ++counts[element.kind];
    out << std::left << std::setw(kKindWidth) << kind << " " << std::setw(kNameWidth)
        << element.name << " " << value << "\n";
  }
  out << "bitmaps " << counts[skin::skBitmap] << ", integers " << counts[skin::skInteger]
      << ", booleans " << counts[skin::skBoolean] << ", strings " << counts[skin::skString];
  if (unknown > 0) out << ", unknown " << unknown;
  out << "\n";
  for (const std::string& text : DescribeCoverage(CheckCatalogue(elements))) out << text << "\n";
  return kExitOk;
}

bool IsFileNameByte(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
         c == '-' || c == '.';
}

// NAME.bmp when the name makes a plain file name not yet used (compared ignoring case, for
// file systems that do), otherwise bitmapN.bmp after the element's position.
std::string BitmapFileName(const std::string& name, std::size_t position,
                           std::set<std::string>& taken) {
  bool plain = !name.empty() && name[0] != '.';
  for (char c : name) plain = plain && IsFileNameByte(c);
  std::string file = name + kBitmapExtension;
  for (std::size_t n = position; !plain || taken.contains(tk::UpperCase(file)); ++n) {
    file = "bitmap" + std::to_string(n) + kBitmapExtension;
    plain = true;
  }
  taken.insert(tk::UpperCase(file));
  return file;
}

void WarnAboutSize(const SkinElement& element, std::ostream& err) {
  const std::size_t packedSize = element.kind == skin::skInteger   ? sizeof(std::int32_t)
                                 : element.kind == skin::skBoolean ? 1
                                                                   : element.data.size();
  if (element.data.size() != packedSize) {
    err << "zsk: warning: " << Quoted(element.name) << ": stored in " << element.data.size()
        << " bytes, packs back into " << packedSize << "\n";
  }
}

int Unpack(const CommandLine& line, std::ostream&, std::ostream& err) {
  const std::vector<skin::Sk2Element> elements = ReadSkinData(line.operands[0], line.password);
  const fs::path folder = line.operands[1];
  fs::create_directories(folder);
  std::string manifest = kManifestHeader;
  std::set<std::string> taken;
  for (std::size_t i = 0; i < elements.size(); ++i) {
    const SkinElement element{elements[i].name, static_cast<skin::Sk2Kind>(elements[i].kind),
                              elements[i].data};
    if (const auto problem = ManifestProblem(element)) {
      err << "zsk: warning: " << Quoted(element.name) << " skipped: " << *problem << "\n";
      continue;
    }
    WarnAboutSize(element, err);
    std::string bitmapFile;
    if (element.kind == skin::skBitmap) {
      bitmapFile = BitmapFileName(element.name, i + 1, taken);
      WriteFileBytes((folder / bitmapFile).string(), element.data);
    }
    manifest += ManifestLine(element, bitmapFile) + "\n";
  }
  WriteFileBytes((folder / kManifestFileName).string(),
                 std::vector<std::uint8_t>(manifest.begin(), manifest.end()));
  return kExitOk;
}

int Extract(const CommandLine& line, std::ostream&, std::ostream&) {
  const std::string& package = line.operands[0];
  const std::string& entry = line.operands[1];
  CheckExtractResult(skin::ExtractPackageEntry(package, entry, line.operands[2], line.password),
                     package, entry);
  return kExitOk;
}

int Verify(const CommandLine& line, std::ostream& out, std::ostream&) {
  const std::string& package = line.operands[0];
  try {
    const skin::Tsk2SkinFileReader reader(package, line.password);
    out << "OK: bitmaps " << reader.Bitmaps().Count() << ", integers " << reader.Integers().Count()
        << ", booleans " << reader.Booleans().Count() << ", strings " << reader.Strings().Count()
        << "\n";
    return kExitOk;
  } catch (const tk::Exception& e) {
    throw CommandError{package + ": " + e.Message(), e.Message() == skin::kWrongPasswordMessage
                                                         ? kExitWrongPassword
                                                         : kExitFailure};
  }
}

struct Command {
  const char* name;
  const char* operands;
  std::size_t operandCount;
  std::function<int(const CommandLine&, std::ostream&, std::ostream&)> run;
};

const Command kCommands[] = {
    {"pack", "DIR OUT.zsk", 2, Pack}, {"unpack", "PKG DIR", 2, Unpack},
    {"info", "PKG", 1, Info},         {"extract", "PKG ENTRY OUT", 3, Extract},
    {"verify", "PKG", 1, Verify},
};

CommandLine ParseArguments(const Command& command, const std::vector<std::string>& args) {
  const std::string passwordOption = "--password";
  CommandLine line;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == passwordOption) {
      if (i + 1 == args.size()) throw CommandError{passwordOption + " needs a value"};
      line.password = args[++i];
    } else if (arg.starts_with(passwordOption + "=")) {
      line.password = arg.substr(passwordOption.size() + 1);
    } else if (arg.size() > 1 && arg[0] == '-') {
      throw CommandError{"unknown option " + arg + " (see zsk --help)"};
    } else {
      line.operands.push_back(arg);
    }
  }
  if (line.operands.size() != command.operandCount) {
    throw CommandError{std::string(command.name) + " expects " + command.operands +
                       " (see zsk --help)"};
  }
  return line;
}

}  // namespace

int RunZsk(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.empty() || args[0] == "--help" || args[0] == "-h") {
    out << kUsage;
    return kExitOk;
  }
  try {
    for (const Command& command : kCommands) {
      if (args[0] == command.name) return command.run(ParseArguments(command, args), out, err);
    }
    throw CommandError{"unknown command " + args[0] + " (see zsk --help)"};
  } catch (const CommandError& e) {
    err << "zsk: " << e.message << "\n";
    return e.exitCode;
  } catch (const std::exception& e) {
    err << "zsk: " << e.what() << "\n";
    return kExitFailure;
  }
}

}  // namespace zsk
