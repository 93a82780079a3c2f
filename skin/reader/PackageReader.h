#pragma once

#include <cstdint>
#include <string>

namespace skin {

// Results of ExtractPackageEntry.
inline constexpr std::uint8_t kExtractOk = 0;
inline constexpr std::uint8_t kExtractUnreadable = 1;
inline constexpr std::uint8_t kExtractWrongPassword = 2;

// The skin data entry every skin package carries.
inline constexpr const char* kSkinDataEntryName = "SKINDATA.SK2";

// Finds entryName in the skin package packageFileName (a ZIP archive whose first signature is
// "SK"), decrypts it with password when the entry is encrypted, inflates it and writes it to
// outputFileName. Never raises. Answers kExtractOk, kExtractUnreadable or kExtractWrongPassword;
// on any result but kExtractOk the output file does not exist afterwards.
std::uint8_t ExtractPackageEntry(const std::string& packageFileName, const std::string& entryName,
                                 const std::string& outputFileName, const std::string& password);

}  // namespace skin
