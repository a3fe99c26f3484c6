#include "SVGStyleSheet.h"

#include "SVGStyle.h"

#include <algorithm>
#include <cctype>

namespace iplug::igraphics {

namespace {

bool IsNameChar(char c)
{
  return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_' || static_cast<unsigned char>(c) >= 0x80;
}

// The text with every /* comment */ removed; an unterminated comment runs to the end.
std::string StripComments(std::string_view css)
{
  std::string out;
  size_t pos = 0;
  while (pos < css.size())
  {
    const size_t open = css.find("/*", pos);
    if (open == std::string_view::npos)
    {
      out.append(css.substr(pos));
      break;
    }
    out.append(css.substr(pos, open - pos));
    const size_t close = css.find("*/", open + 2);
    pos = close == std::string_view::npos ? css.size() : close + 2;
  }
  return out;
}

// Position just after the block whose '{' is at open, counting nested braces; the end when unbalanced.
size_t SkipBlock(std::string_view css, size_t open)
{
  int depth = 0;
  for (size_t i = open; i < css.size(); ++i)
  {
    if (css[i] == '{')
      ++depth;
    else if (css[i] == '}' && --depth == 0)
      return i + 1;
  }
  return css.size();
}

// Whether the whitespace-separated list contains word.
bool ListContains(std::string_view list, std::string_view word)
{
  size_t pos = 0;
  while (pos < list.size())
  {
    while (pos < list.size() && std::isspace(static_cast<unsigned char>(list[pos])))
      ++pos;
    size_t end = pos;
    while (end < list.size() && !std::isspace(static_cast<unsigned char>(list[end])))
      ++end;
    if (end > pos && list.substr(pos, end - pos) == word)
      return true;
    pos = end;
  }
  return false;
}

} // namespace

std::string_view SVGLocalName(const char* name)
{
  const std::string_view full(name ? name : "");
  const size_t colon = full.rfind(':');
  return colon == std::string_view::npos ? full : full.substr(colon + 1);
}

void ParseSVGDeclarations(std::string_view text, const std::function<void(std::string_view, std::string_view)>& add)
{
  size_t pos = 0;
  while (pos < text.size())
  {
    size_t end = text.find(';', pos);
    if (end == std::string_view::npos)
      end = text.size();
    const std::string_view item = text.substr(pos, end - pos);
    pos = end + 1;
    const size_t colon = item.find(':');
    if (colon == std::string_view::npos)
      continue;
    const std::string_view name = TrimSVGText(item.substr(0, colon));
    std::string_view value = TrimSVGText(item.substr(colon + 1));
    const size_t important = value.find('!');
    if (important != std::string_view::npos)
      value = TrimSVGText(value.substr(0, important));
    if (!name.empty() && !value.empty())
      add(name, value);
  }
}

bool SVGStyleSheet::ParseSelector(std::string_view text, Rule& rule)
{
  text = TrimSVGText(text);
  if (text.empty())
    return false;
  size_t pos = 0;
  auto readName = [&]() {
    const size_t start = pos;
    while (pos < text.size() && IsNameChar(text[pos]))
      ++pos;
    return std::string(text.substr(start, pos - start));
  };
  if (text[0] == '*')
    ++pos;
  else if (IsNameChar(text[0]))
    rule.tag = readName();
  int ids = 0, classes = 0;
  while (pos < text.size())
  {
    const char kind = text[pos++];
    const std::string name = readName();
    if (name.empty())
      return false;
    if (kind == '.')
    {
      rule.classes.push_back(name);
      ++classes;
    }
    else if (kind == '#' && rule.id.empty())
    {
      rule.id = name;
      ++ids;
    }
    else
      return false;
  }
  rule.specificity = ids * 10000 + classes * 100 + (rule.tag.empty() ? 0 : 1);
  return true;
}

void SVGStyleSheet::Add(std::string_view text)
{
  const std::string css = StripComments(text);
  const std::string_view view(css);
  size_t pos = 0;
  while (pos < view.size())
  {
    const size_t open = view.find('{', pos);
    if (open == std::string_view::npos)
      break;
    const std::string_view prelude = TrimSVGText(view.substr(pos, open - pos));
    const size_t afterBlock = SkipBlock(view, open);
    if (!prelude.empty() && prelude.front() == '@')
    {
      pos = afterBlock;
      continue;
    }
    const size_t close = std::min(view.find('}', open), view.size());
    const std::string_view body = view.substr(open + 1, close - open - 1);
    pos = close + 1;

    std::vector<std::pair<std::string, std::string>> declarations;
    ParseSVGDeclarations(body, [&](std::string_view name, std::string_view value) {
      declarations.emplace_back(std::string(name), std::string(value));
    });
    size_t start = 0;
    while (start <= prelude.size())
    {
      size_t comma = prelude.find(',', start);
      if (comma == std::string_view::npos)
        comma = prelude.size();
      Rule rule;
      if (ParseSelector(prelude.substr(start, comma - start), rule))
      {
        rule.order = mRules.size();
        rule.declarations = declarations;
        mRules.push_back(std::move(rule));
      }
      start = comma + 1;
    }
  }
  std::stable_sort(mRules.begin(), mRules.end(), [](const Rule& a, const Rule& b) {
    return a.specificity != b.specificity ? a.specificity < b.specificity : a.order < b.order;
  });
}

bool SVGStyleSheet::Matches(const pugi::xml_node& element, const Rule& rule)
{
  if (!rule.tag.empty() && SVGLocalName(element.name()) != rule.tag)
    return false;
  if (!rule.id.empty() && rule.id != element.attribute("id").value())
    return false;
  const std::string_view classList = element.attribute("class").value();
  for (const std::string& name : rule.classes)
    if (!ListContains(classList, name))
      return false;
  return true;
}

void SVGStyleSheet::Collect(const pugi::xml_node& element, SVGDeclarations& declarations) const
{
  for (const Rule& rule : mRules)
  {
    if (!Matches(element, rule))
      continue;
    for (const auto& [name, value] : rule.declarations)
      declarations[name] = value;
  }
}

} // namespace iplug::igraphics
