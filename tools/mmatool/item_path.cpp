#include "item_path.h"

#include <cctype>
#include <optional>
#include <vector>

#include "display_text.h"
#include "json_form.h"
#include "utf8.h"

namespace quillet::mmatool {
namespace {

Error NotFound(std::string message) { return Error{ErrorCode::InvalidValue, std::move(message), {}, {}, {}}; }

// Whole numbers separated by "/", or nothing when `text` is not of that shape.
std::optional<std::vector<std::size_t>> Numbers(const std::string& text) {
  std::vector<std::size_t> numbers;
  std::size_t i = 0;
  while (i < text.size()) {
    if (!std::isdigit(static_cast<unsigned char>(text[i]))) return std::nullopt;
    std::size_t value = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
      value = value * 10 + static_cast<std::size_t>(text[i] - '0');
      if (value > 1000) return std::nullopt;  // far beyond any menu, and no overflow
    }
    numbers.push_back(value);
    if (i < text.size() && text[i++] != '/') return std::nullopt;
    if (i == text.size() && text.back() == '/') return std::nullopt;
  }
  if (numbers.empty()) return std::nullopt;
  return numbers;
}

// "menu[3].children[1]" as the positions 3/1; "softkeys[2]" as {2} with softkey set.
std::optional<std::vector<std::size_t>> JsonPath(const std::string& path, bool& softkey) {
  std::string positions;
  std::string rest;
  if (path.rfind("softkeys[", 0) == 0) {
    softkey = true;
    rest = path.substr(9);
  } else if (path.rfind("menu[", 0) == 0) {
    rest = path.substr(5);
  } else {
    return std::nullopt;
  }
  for (;;) {
    const std::size_t close = rest.find(']');
    if (close == std::string::npos) return std::nullopt;
    positions += rest.substr(0, close);
    rest = rest.substr(close + 1);
    if (rest.empty()) break;
    if (softkey || rest.rfind(".children[", 0) != 0) return std::nullopt;
    rest = rest.substr(10);
    positions += '/';
  }
  return Numbers(positions);
}

// The JSON path of a softkey or main-menu item, for the ambiguity message.
std::string PathOf(const MenuDocument& doc, const MenuNode& node) {
  if (node.parent() == doc.softkeysNode()) return menujson::SoftkeyPath(static_cast<std::size_t>(node.row()));
  const std::string parent =
      node.parent() == doc.menuRootNode() ? std::string() : PathOf(doc, *node.parent());
  return menujson::MenuItemPath(parent, static_cast<std::size_t>(node.row()));
}

}  // namespace

Result<MenuNode*> FindItem(MenuDocument& doc, const std::string& path) {
  if (path == kMenuRootPath) return doc.menuRootNode();
  bool softkey = false;
  std::optional<std::vector<std::size_t>> positions = JsonPath(path, softkey);
  if (!positions) positions = Numbers(path);
  if (positions) {
    MenuNode* at = softkey ? doc.softkeysNode() : doc.menuRootNode();
    if (softkey && positions->size() != 1) return NotFound("a softkey has no subitems: " + path);
    for (const std::size_t position : *positions) {
      if (at == nullptr || position >= at->childCount()) return NotFound("no item at " + path);
      at = at->child(position);
    }
    return at;
  }
  std::vector<MenuNode*> found;
  doc.tree.forEach([&](MenuNode& node) {
    if (doc.tree.absoluteIndex(&node) != kSoftkeysNodeIndex &&
        doc.tree.absoluteIndex(&node) != kMenuRootNodeIndex &&
        (node.item().identifier == path || Latin1ToUtf8(node.item().identifier) == path)) {
      found.push_back(&node);
    }
  });
  if (found.empty()) return NotFound("no item has the identifier " + PrintableUtf8(path));
  if (found.size() > 1) {
    std::string places;
    for (const MenuNode* node : found) places += (places.empty() ? "" : ", ") + PathOf(doc, *node);
    return NotFound(std::to_string(found.size()) + " items have the identifier " + PrintableUtf8(path) +
                    " (" + places + "); name one by its position");
  }
  return found.front();
}

}  // namespace quillet::mmatool
