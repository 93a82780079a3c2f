#pragma once

// Reading skin packages: the package extractor with its inflater and decryption, the skin data
// file's record chain, the element store built from it, and the skin reader that reaches the
// elements by catalogue index.
#include "skin/reader/HuffmanTree.h"
#include "skin/reader/Inflater.h"
#include "skin/reader/PackageReader.h"
#include "skin/reader/PkCrypt.h"
#include "skin/reader/Sk2File.h"
#include "skin/reader/Skin2Define.h"
#include "skin/reader/SkinFileReader.h"
#include "skin/reader/SkinReader.h"
