#pragma once

#include <pugixml.hpp>

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace iplug::igraphics {

// Property declarations gathered for one element, by property name; later sources overwrite earlier
// ones. The views point into the document or the style sheet, which outlive it.
using SVGDeclarations = std::map<std::string_view, std::string_view>;

// The rules of a document's <style> elements, reduced to what design tools export: selectors made of
// an optional element name or "*" followed by ".class" and "#id" parts, comma-separated. Rules with any
// other selector (descendants, attributes, pseudo-classes) and @-rules are skipped. Matching rules apply
// in order of specificity, then of appearance. [any-thread]
class SVGStyleSheet
{
public:
  // Adds the rules of one style sheet text.
  void Add(std::string_view css);
  // Writes the declarations of every rule that matches element into declarations.
  void Collect(const pugi::xml_node& element, SVGDeclarations& declarations) const;
  // Number of rules kept (one per selector).
  size_t Size() const { return mRules.size(); }

private:
  struct Rule
  {
    std::string tag;                  // element name, empty for any
    std::string id;                   // id, empty for any
    std::vector<std::string> classes; // classes the element must have
    int specificity = 0;              // ids, then classes, then names
    size_t order = 0;                 // appearance
    std::vector<std::pair<std::string, std::string>> declarations; // name, value
  };

  // Reads one compound selector into rule; false for anything unsupported.
  static bool ParseSelector(std::string_view text, Rule& rule);
  // Whether element matches the rule's selector.
  static bool Matches(const pugi::xml_node& element, const Rule& rule);

  std::vector<Rule> mRules; // sorted by specificity, then order
};

// Splits "name: value; name: value" into declarations, dropping "!important" and empty items, and
// calls add for each. [any-thread]
void ParseSVGDeclarations(std::string_view text, const std::function<void(std::string_view, std::string_view)>& add);

// An element's or attribute's name without its namespace prefix ("svg:rect" gives "rect").
std::string_view SVGLocalName(const char* name);

} // namespace iplug::igraphics
