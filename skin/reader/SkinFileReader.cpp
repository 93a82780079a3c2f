#include "SkinFileReader.h"

#include <memory>

#include "PackageReader.h"
#include "Sk2File.h"
#include "toolkit/core/Exception.h"
#include "toolkit/core/FileStream.h"
#include "toolkit/core/FileSystem.h"
#include "toolkit/core/SysUtils.h"

namespace skin {

Tsk2SkinFileReader::Tsk2SkinFileReader(const std::string& fileName, const std::string& password) {
  try {
    Load(fileName, password);
  } catch (...) {
    FreeBitmaps();
    throw;
  }
}

Tsk2SkinFileReader::~Tsk2SkinFileReader() {
  FreeBitmaps();
}

void Tsk2SkinFileReader::FreeBitmaps() {
  for (int i = 0; i < bitmaps_.Count(); ++i) delete bitmaps_.Objects(i);
  bitmaps_.Clear();
}

void Tsk2SkinFileReader::Load(const std::string& fileName, const std::string& password) {
  const tk::ScopedTempFile skinData(tk::TempDirectory() + tk::NewGuidString());
  switch (ExtractPackageEntry(fileName, kSkinDataEntryName, skinData.Name(), password)) {
    case kExtractOk: break;
    case kExtractWrongPassword: throw tk::Exception(kWrongPasswordMessage);
    default: throw tk::Exception(kFailedToReadSkinMessage);
  }

  std::vector<Sk2Element> elements;
  {
    tk::TFileStream file(skinData.Name(), tk::fmOpenRead | tk::fmShareDenyNone);
    elements = ReadSk2Elements(file);
  }
  for (const Sk2Element& element : elements) {
    switch (element.kind) {
      case skBitmap: {
        auto bitmap = std::make_unique<tk::TBitmap>();
        tk::TBytesStream data(element.data.data(), static_cast<std::int64_t>(element.data.size()));
        bitmap->LoadFromStream(data);
        bitmaps_.AddObject(element.name, bitmap.get());
        bitmap.release();
        break;
      }
      case skInteger:
        integers_.Add(element.name + "=" + tk::IntToStr(Sk2IntegerValue(element.data)));
        break;
      case skBoolean:
        booleans_.Add(element.name + "=" + tk::IntToStr(Sk2BooleanValue(element.data)));
        break;
      case skString:
        strings_.Add(element.name + "=" + std::string(element.data.begin(), element.data.end()));
        break;
      default: break;
    }
  }
}

tk::TBitmap* Tsk2SkinFileReader::FindBitmap(const std::string& name) const {
  const int index = bitmaps_.IndexOf(name);
  return index < 0 ? nullptr : static_cast<tk::TBitmap*>(bitmaps_.Objects(index));
}

std::int32_t Tsk2SkinFileReader::FindInteger(const std::string& name) const {
  return tk::StrToIntDef(integers_.Values(name), -1);
}

bool Tsk2SkinFileReader::FindBoolean(const std::string& name) const {
  return (tk::StrToIntDef(booleans_.Values(name), 0) & 0xFF) != 0;
}

void Tsk2SkinFileReader::SetAllTransparent(tk::TColor color) {
  for (int i = 0; i < bitmaps_.Count(); ++i) {
    auto* bitmap = static_cast<tk::TBitmap*>(bitmaps_.Objects(i));
    bitmap->SetTransparentMode(tk::tmFixed);
    bitmap->SetTransparentColor(color);
  }
}

}  // namespace skin
