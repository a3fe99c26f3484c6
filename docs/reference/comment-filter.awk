# Doxygen reads our one-line contracts as they are written, in plain // comments: a comment line of its own
# documents what follows it, a comment after a declaration or an enumerator documents that one. A comment above
# a run of declarations with no blank line between them (setters of one kind, the colours of a palette) speaks
# for the whole run, so the run becomes a member group that shares it. Comment text is escaped so that Doxygen
# takes it literally (<size>, @2x and \n are words here, not markup).
function escaped(text)
{
  gsub(/\\/, "\\\\", text)
  gsub(/[@<>&#%$]/, "\\\\&", text)
  return text
}
function is_comment(line) { return line ~ /^[[:space:]]*\/\// }
function is_blank(line) { return line ~ /^[[:space:]]*$/ }
function braces(line,    opened, closed)
{
  sub(/\/\/.*$/, "", line)
  opened = gsub(/\{/, "{", line)
  closed = gsub(/\}/, "}", line)
  return opened - closed
}
function converted(line,    text)
{
  if (is_comment(line))
    return substr(line, 1, index(line, "//") - 1) "///" escaped(substr(line, index(line, "//") + 2))
  if (match(line, /[;,][[:space:]]*\/\/ /))
    return substr(line, 1, RSTART) " ///< " escaped(substr(line, RSTART + RLENGTH))
  return line
}
# The index after the run of declarations starting at first that a comment may speak for as a group, or first
# when there is no run of two or more: the run ends at a blank or comment line, a preprocessor line, an access
# label, or where a scope closes.
function run_end(first,    i, depth, statements, line)
{
  if (lines[first] ~ /(^|[[:space:]])(class|struct|union|enum|namespace)([[:space:]]|$)/ && lines[first] !~ /;[[:space:]]*(\/\/.*)?$/)
    return first
  depth = 0
  statements = 0
  for (i = first; i <= count; ++i)
  {
    line = lines[i]
    if (depth == 0 && (is_blank(line) || is_comment(line) || line ~ /^[[:space:]]*#/ || line ~ /^[[:space:]]*(public|protected|private)[[:space:]]*:/))
      break
    if (depth + braces(line) < 0)
      break
    depth += braces(line)
    if (depth == 0)
      ++statements
  }
  return statements >= 2 && depth == 0 ? i : first
}
{ lines[++count] = $0 }
END {
  i = 1
  while (i <= count)
  {
    if (!is_comment(lines[i]))
    {
      print converted(lines[i])
      ++i
      continue
    }
    first = i
    while (i <= count && is_comment(lines[i]))
      ++i
    end = i <= count && !is_blank(lines[i]) ? run_end(i) : i
    # The group's markers share lines with the comment and the last declaration, so line numbers stay the source's.
    for (j = first; j < end; ++j)
      print (j == first && end > i ? "/**@{*/ " : "") converted(lines[j]) (j == end - 1 && end > i ? " /**@}*/" : "")
    i = end
  }
}
