#include "convert_options.h"

namespace quillet::mmatool {

std::variant<SaveOptions, UsageError> ResolveSaveOptions(const LoadedOptions& loaded,
                                                         const ConvertFlags& flags) {
  SaveOptions options;
  options.layout = loaded.layout;
  options.c698p = loaded.c698p;
  options.iconTag = loaded.iconTag;
  options.saveAllData = !flags.dropUnsupported;

  if (flags.layout) options = WithLayout(options, *flags.layout);
  const bool is36 = !LayoutLetsChooseIconTagAndC698p(options.layout);
  if (flags.c698p) {
    if (*flags.c698p && is36) return UsageError{"--c698p needs the 22-byte layout (add --layout 22)"};
    options.c698p = *flags.c698p;
  }
  if (flags.iconTag) {
    if (*flags.iconTag == IconTag::Tag06 && is36)
      return UsageError{"--icon-tag 06 needs the 22-byte layout (add --layout 22)"};
    options.iconTag = *flags.iconTag;
  }
  return options;
}

}  // namespace quillet::mmatool
