#pragma once

// Reading skin packages: the package extractor with its inflater and decryption, the skin data
// file's record chain, and the element store built from it.
#include "skin/reader/HuffmanTree.h"
#include "skin/reader/Inflater.h"
#include "skin/reader/PackageReader.h"
#include "skin/reader/PkCrypt.h"
#include "skin/reader/Sk2File.h"
#include "skin/reader/SkinFileReader.h"
