#include "menu_diff.h"

#include <algorithm>
#include <map>

#include <nlohmann/json.hpp>

#include "json_form.h"
#include "json_text.h"

namespace quillet::mmatool {
namespace {

using menujson::Json;

// One main-menu item in depth-first order, with the index of its parent entry.
struct Entry {
  std::string path;
  const Json* item;
  int parent;  // -1 under the main-menu root
  std::size_t row;
  std::string identifier;
  int match = -1;  // the paired entry of the other menu
  bool replaced = false;
};

// A value as the change keeps it: compact JSON text, "" for an absent value.
std::string Compact(const Json& value) {
  return value.is_null() ? std::string() : value.dump(-1, ' ', false, Json::error_handler_t::replace);
}

const Json& Members(const Json& j, const char* key) {
  static const Json kEmpty = Json::array();
  return j.contains(key) ? j[key] : kEmpty;
}

void Flatten(const Json& list, const std::string& parentPath, int parent, std::vector<Entry>& out) {
  for (std::size_t i = 0; i < list.size(); ++i) {
    const std::string path = menujson::MenuItemPath(parentPath, i);
    out.push_back({path, &list[i], parent, i, list[i]["identifier"].get<std::string>()});
    Flatten(Members(list[i], "children"), path, static_cast<int>(out.size() - 1), out);
  }
}

// Pairs items by identifier (the k-th occurrence in A with the k-th in B), then pairs the
// rest that stand at the same row under the same (paired) parent as replacements.
void Match(std::vector<Entry>& a, std::vector<Entry>& b) {
  std::map<std::string, std::vector<int>> inA;
  for (std::size_t i = 0; i < a.size(); ++i) inA[a[i].identifier].push_back(static_cast<int>(i));
  std::map<std::string, std::size_t> used;
  for (std::size_t j = 0; j < b.size(); ++j) {
    const auto found = inA.find(b[j].identifier);
    if (found == inA.end()) continue;
    std::size_t& k = used[b[j].identifier];
    if (k >= found->second.size()) continue;
    const int i = found->second[k++];
    a[static_cast<std::size_t>(i)].match = static_cast<int>(j);
    b[j].match = i;
  }
  // Entries stand in parent-before-child order, so a parent's pairing is known first.
  std::map<std::pair<int, std::size_t>, int> freeInA;  // (parent, row) -> unpaired A entry
  for (std::size_t i = 0; i < a.size(); ++i)
    if (a[i].match < 0) freeInA[{a[i].parent, a[i].row}] = static_cast<int>(i);
  for (std::size_t j = 0; j < b.size(); ++j) {
    if (b[j].match >= 0) continue;
    const int parent = b[j].parent < 0 ? -1 : b[static_cast<std::size_t>(b[j].parent)].match;
    if (b[j].parent >= 0 && parent < 0) continue;  // under a new item: added, not replaced
    const auto found = freeInA.find({parent, b[j].row});
    if (found == freeInA.end()) continue;
    a[static_cast<std::size_t>(found->second)].match = static_cast<int>(j);
    b[j].match = found->second;
    b[j].replaced = true;
    freeInA.erase(found);
  }
}

// Positions of the longest increasing run (not necessarily adjacent) of `rows`.
std::vector<bool> KeptInOrder(const std::vector<std::size_t>& rows) {
  const std::size_t n = rows.size();
  std::vector<std::size_t> length(n, 1);
  std::vector<int> previous(n, -1);
  for (std::size_t i = 0; i < n; ++i)
    for (std::size_t k = 0; k < i; ++k)
      if (rows[k] < rows[i] && length[k] + 1 > length[i]) {
        length[i] = length[k] + 1;
        previous[i] = static_cast<int>(k);
      }
  std::vector<bool> kept(n, false);
  if (n == 0) return kept;
  int at = static_cast<int>(std::max_element(length.begin(), length.end()) - length.begin());
  for (; at >= 0; at = previous[static_cast<std::size_t>(at)]) kept[static_cast<std::size_t>(at)] = true;
  return kept;
}

// Items whose parent changed, or that left the order their siblings kept.
std::vector<bool> Moved(const std::vector<Entry>& a, const std::vector<Entry>& b) {
  std::vector<bool> moved(b.size(), false);
  std::map<int, std::vector<std::size_t>> stayed;  // B parent -> B entries under the same parent as before
  for (std::size_t j = 0; j < b.size(); ++j) {
    if (b[j].match < 0) continue;
    const Entry& old = a[static_cast<std::size_t>(b[j].match)];
    const bool sameParent =
        old.parent < 0 ? b[j].parent < 0 : a[static_cast<std::size_t>(old.parent)].match == b[j].parent;
    if (sameParent)
      stayed[b[j].parent].push_back(j);
    else
      moved[j] = true;
  }
  for (const auto& [parent, siblings] : stayed) {
    std::vector<std::size_t> oldRows;
    for (const std::size_t j : siblings) oldRows.push_back(a[static_cast<std::size_t>(b[j].match)].row);
    const std::vector<bool> kept = KeptInOrder(oldRows);
    for (std::size_t k = 0; k < siblings.size(); ++k) moved[siblings[k]] = !kept[k];
  }
  return moved;
}

// An item's fields and data as named values, in order; a repeated name gets " #2", ...
std::vector<std::pair<std::string, Json>> Facts(const Json& item) {
  std::vector<std::pair<std::string, Json>> facts;
  std::map<std::string, int> seen;
  const auto add = [&](std::string name, Json value) {
    const int n = ++seen[name];
    if (n > 1) name += " #" + std::to_string(n);
    facts.emplace_back(std::move(name), std::move(value));
  };
  const auto wide = [](const Json& holder, const char* key) {
    return holder.contains(key) ? holder[key] : Json{{"utf16", holder["utf16"]}};
  };
  for (const char* field : {"kind", "flags", "attributes", "parent", "next", "child"})
    if (item.contains(field)) add(field, item[field]);
  for (const Json& block : Members(item, "data")) {
    const std::string label = block["block"].get<std::string>();
    if (block.contains("names")) {
      for (const Json& name : block["names"])
        add(label + " " + name["language"].get<std::string>(), wide(name, "text"));
    } else if (block.contains("icon")) {
      const Json& icon = block["icon"];
      add(label + " " + (icon.is_string() ? icon.get<std::string>() : icon.dump()), wide(block, "path"));
    } else if (block.contains("text")) {
      add(label, block["text"]);
    } else if (block.contains("drmIndex")) {
      add(label, Json{{"drmIndex", block["drmIndex"]}, {"firstByte", block["firstByte"]}});
    } else {
      for (const Json& raw : Members(block, "entries")) add(label + " tag " + raw["tag"].dump(), raw["hex"]);
    }
  }
  return facts;
}

void CompareItems(const Json& a, const Json& b, const std::string& place, std::vector<MenuChange>& out) {
  const auto before = Facts(a);
  const auto after = Facts(b);
  const std::map<std::string, Json> old(before.begin(), before.end());
  const std::map<std::string, Json> now(after.begin(), after.end());
  const std::string id = b["identifier"].get<std::string>();
  const std::size_t first = out.size();
  for (const auto& [name, value] : after) {
    const auto found = old.find(name);
    if (found == old.end())
      out.push_back({"changed", place, {}, id, name, {}, Compact(value)});
    else if (found->second != value)
      out.push_back({"changed", place, {}, id, name, Compact(found->second), Compact(value)});
  }
  for (const auto& [name, value] : before)
    if (now.count(name) == 0) out.push_back({"changed", place, {}, id, name, Compact(value), {}});
  if (out.size() != first) return;
  // Same values, other order: the file's bytes differ, so this is a change too.
  Json oldOrder = Json::array();
  Json newOrder = Json::array();
  for (const auto& fact : before) oldOrder.push_back(fact.first);
  for (const auto& fact : after) newOrder.push_back(fact.first);
  if (oldOrder != newOrder)
    out.push_back({"changed", place, {}, id, "data order", Compact(oldOrder), Compact(newOrder)});
}

std::string Shown(const std::string& compact) { return compact.empty() ? "(none)" : compact; }

// A kept value back as JSON.
Json Value(const std::string& compact) { return compact.empty() ? Json() : Json::parse(compact); }

}  // namespace

std::vector<MenuChange> DiffMenus(const Json& a, const Json& b) {
  std::vector<MenuChange> changes;
  for (const char* option : {"layout", "c698p", "iconTag", "saveAllData"}) {
    const Json& from = a["options"][option];
    const Json& to = b["options"][option];
    if (from != to) changes.push_back({"option", {}, {}, {}, option, Compact(from), Compact(to)});
  }
  const Json& keysA = a["softkeys"];
  const Json& keysB = b["softkeys"];
  for (std::size_t i = 0; i < keysA.size() && i < keysB.size(); ++i) {
    const std::string place = menujson::SoftkeyPath(i);
    const Json& oldId = keysA[i]["identifier"];
    const Json& newId = keysB[i]["identifier"];
    if (oldId != newId)
      changes.push_back(
          {"replaced", place, {}, newId.get<std::string>(), {}, Compact(oldId), Compact(newId)});
    CompareItems(keysA[i], keysB[i], place, changes);
  }

  std::vector<Entry> itemsA;
  std::vector<Entry> itemsB;
  Flatten(a["menu"], "", -1, itemsA);
  Flatten(b["menu"], "", -1, itemsB);
  Match(itemsA, itemsB);
  const std::vector<bool> moved = Moved(itemsA, itemsB);
  for (const Entry& old : itemsA)
    if (old.match < 0) changes.push_back({"removed", old.path, {}, old.identifier, {}, {}, {}});
  for (std::size_t j = 0; j < itemsB.size(); ++j) {
    const Entry& now = itemsB[j];
    if (now.match < 0) {
      changes.push_back({"added", now.path, {}, now.identifier, {}, {}, {}});
      continue;
    }
    const Entry& old = itemsA[static_cast<std::size_t>(now.match)];
    if (now.replaced)
      changes.push_back(
          {"replaced", now.path, {}, now.identifier, {}, Compact(old.identifier), Compact(now.identifier)});
    if (moved[j]) changes.push_back({"moved", old.path, now.path, now.identifier, {}, {}, {}});
    CompareItems(*old.item, *now.item, now.path, changes);
  }
  return changes;
}

void WriteDiffText(const std::vector<MenuChange>& changes, std::ostream& out) {
  for (const MenuChange& c : changes) {
    const std::string id = Compact(c.identifier);
    if (c.change == "option") {
      out << "option " << c.what << ": " << Shown(c.from) << " -> " << Shown(c.to) << '\n';
    } else if (c.change == "moved") {
      out << "moved " << id << ": " << c.place << " -> " << c.movedTo << '\n';
    } else if (c.change == "replaced") {
      out << "replaced " << c.place << ": " << Shown(c.from) << " -> " << Shown(c.to) << '\n';
    } else if (c.change == "changed") {
      out << "changed " << c.place << ' ' << id << ": " << c.what << ": " << Shown(c.from) << " -> "
          << Shown(c.to) << '\n';
    } else {
      out << c.change << ' ' << c.place << ' ' << id << '\n';
    }
  }
}

void WriteDiffJson(const std::vector<MenuChange>& changes, std::ostream& out) {
  Json j;
  j["same"] = changes.empty();
  j["changes"] = Json::array();
  for (const MenuChange& c : changes) {
    Json change;
    change["change"] = c.change;
    if (c.change == "moved") {
      change["from"] = c.place;
      change["to"] = c.movedTo;
    } else if (!c.place.empty()) {
      change["place"] = c.place;
    }
    if (!c.identifier.empty() || c.change != "option") change["identifier"] = c.identifier;
    if (!c.what.empty()) change["what"] = c.what;
    if (c.change == "option" || c.change == "changed" || c.change == "replaced") {
      change["from"] = Value(c.from);
      change["to"] = Value(c.to);
    }
    j["changes"].push_back(std::move(change));
  }
  out << menujson::JsonText(j);
}

}  // namespace quillet::mmatool
