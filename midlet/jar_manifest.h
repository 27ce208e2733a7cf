#pragma once
// The manifest of a Java archive (.jar), unpacked through libzip.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "result.h"

namespace quillet::midlet {

inline constexpr char kManifestPath[] = "META-INF/MANIFEST.MF";

// Whether `bytes` begin as a zip archive does (a local entry, or the end record of an
// archive without entries).
bool LooksLikeArchive(std::span<const std::uint8_t> bytes);

// The bytes of the archive's META-INF/MANIFEST.MF (found in any case), at most `limit` of
// them: an entry that says or turns out to be larger is refused before more is unpacked.
// A refusal's message is a reason to follow "Cannot read <file>: ": an archive libzip
// cannot open, no manifest, one that cannot be unpacked or fails its check sum.
Result<std::string> ReadJarManifest(std::span<const std::uint8_t> archive, std::size_t limit);

}  // namespace quillet::midlet
