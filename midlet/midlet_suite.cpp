#include "midlet_suite.h"

#include "byte_text_rule.h"
#include "descriptor_attributes.h"
#include "display_text.h"
#include "file_io.h"
#include "jar_manifest.h"
#include "refusal.h"

namespace quillet::midlet {
namespace {

// One sentence naming the file; a reason may already be a sentence of its own.
Error Unreadable(const std::string& fileName, const Error& reason) {
  std::string message = "Cannot read " + QuotedPath(fileName) + " as a Java application: " + reason.message;
  if (message.back() != '.') message += '.';
  return Error{reason.code, std::move(message), fileName, {}, {}};
}

Result<std::string> Required(const Attributes& attributes, const char* name) {
  const std::string* value = FindAttribute(attributes, name);
  if (value == nullptr) return Refusal(std::string("it has no ") + name + " attribute");
  if (value->empty()) return Refusal(std::string("its ") + name + " is empty");
  return *value;
}

// "name, icon, class": three fields split at the commas, blanks around each dropped.
Result<Midlet> ParseMidlet(const std::string& attribute, const std::string& value) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  for (std::size_t comma; (comma = value.find(',', start)) != std::string::npos; start = comma + 1) {
    fields.emplace_back(WithoutBlanks(std::string_view(value).substr(start, comma - start)));
  }
  fields.emplace_back(WithoutBlanks(std::string_view(value).substr(start)));
  if (fields.size() != 3) return Refusal("its " + attribute + " is not of the form \"name, icon, class\"");
  if (fields[0].empty()) return Refusal("its " + attribute + " gives no name");
  if (fields[2].empty()) return Refusal("its " + attribute + " gives no class");
  return Midlet{fields[0], fields[1], fields[2]};
}

Result<MidletSuite> SuiteOf(const Attributes& attributes) {
  MidletSuite suite;
  Result<std::string> name = Required(attributes, "MIDlet-Name");
  if (!name) return name.error();
  suite.name = name.value();
  Result<std::string> vendor = Required(attributes, "MIDlet-Vendor");
  if (!vendor) return vendor.error();
  suite.vendor = vendor.value();
  // The MIDlets are numbered from 1 without gaps; the first missing number ends them.
  for (std::size_t n = 1;; ++n) {
    const std::string attribute = "MIDlet-" + std::to_string(n);
    const std::string* value = FindAttribute(attributes, attribute);
    if (value == nullptr) break;
    Result<Midlet> midlet = ParseMidlet(attribute, *value);
    if (!midlet) return midlet.error();
    suite.midlets.push_back(std::move(midlet.value()));
  }
  if (suite.midlets.empty()) return Refusal("it has no MIDlet-1 attribute, so it names no MIDlet to start");
  return suite;
}

Result<Attributes> AttributesOf(std::span<const std::uint8_t> bytes) {
  if (LooksLikeArchive(bytes)) {
    Result<std::string> manifest = ReadJarManifest(bytes, kMaxAttributeTextBytes);
    if (!manifest) return manifest.error();
    Result<Attributes> attributes = ParseAttributes(manifest.value(), AttributeSyntax::Manifest);
    if (!attributes)
      return Refusal(std::string("its ") + kManifestPath + " is damaged: " + attributes.error().message);
    return attributes;
  }
  if (bytes.size() > kMaxAttributeTextBytes) {
    return Refusal("it is neither a Java archive nor a descriptor of at most " +
                   std::to_string(kMaxAttributeTextBytes / 1024) + " KiB");
  }
  const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  Result<Attributes> attributes = ParseAttributes(text, AttributeSyntax::Descriptor);
  if (!attributes)
    return Refusal("it is neither a Java archive nor a descriptor: " + attributes.error().message);
  return attributes;
}

}  // namespace

Result<MidletSuite> ReadMidletSuite(const std::string& fileName, std::span<const std::uint8_t> bytes) {
  Result<Attributes> attributes = AttributesOf(bytes);
  if (!attributes) return Unreadable(fileName, attributes.error());
  Result<MidletSuite> suite = SuiteOf(attributes.value());
  if (!suite) return Unreadable(fileName, suite.error());
  return suite;
}

Result<MidletSuite> ReadMidletFile(const std::string& path) {
  Result<std::vector<std::uint8_t>> bytes = ReadWholeFile(path, kMaxSuiteFileBytes);
  if (!bytes) return bytes.error();
  return ReadMidletSuite(path, bytes.value());
}

Result<CustomTypeTexts> MenuTexts(const MidletSuite& suite, std::size_t index, const std::string& fileName) {
  const std::string midletAttribute = "MIDlet-" + std::to_string(index + 1);
  if (index >= suite.midlets.size()) {
    return Unreadable(fileName, Refusal("it has no " + midletAttribute + " attribute"));
  }
  CustomTypeTexts texts;
  const std::pair<const std::string*, std::string*> fields[] = {
      {&suite.name, &texts.applicationName},
      {&suite.midlets[index].name, &texts.midletName},
      {&suite.vendor, &texts.midletVendor},
  };
  const std::string what[] = {"MIDlet-Name", "The name in " + midletAttribute, "MIDlet-Vendor"};
  for (std::size_t i = 0; i < std::size(fields); ++i) {
    Result<std::string> text = ByteTextFromUtf8(*fields[i].first, what[i]);
    if (!text) return Unreadable(fileName, text.error());
    *fields[i].second = std::move(text.value());
  }
  return texts;
}

}  // namespace quillet::midlet
