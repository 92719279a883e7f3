// SceneText: the sections and entries of a scene file, read strictly so that nothing in it
// is silently ignored or silently cut.
//
// The text is UTF-8 (a leading byte order mark is skipped); UTF-16 text, or any NUL byte,
// is refused with a request to save the file as UTF-8. Lines end at CR LF, LF or a lone CR
// and are read whole, whatever their length. On each line everything from the first ';' is
// a comment, and blanks (spaces and tabs) at either end are dropped. What is left is empty,
// a header "[Name]", or an entry "key=value" split at the first '=' with blanks around both
// parts dropped; anything else, an entry before the first header or with an empty key, is
// an error. Section names and keys are compared without regard to ASCII case; a repeated
// section or a key repeated within a section is an error naming both lines.
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct SceneEntry {
  std::string key;
  std::string value;
  int line = 0;  // 1-based
};

struct SceneSection {
  std::string name;
  int line = 0;
  std::vector<SceneEntry> entries;  // in file order

  // The entry of that key (any case), or null.
  const SceneEntry* Find(const std::string& key) const;
};

struct SceneTextContent {
  std::vector<SceneSection> sections;  // in file order
  // The section of that name (any case), or null.
  const SceneSection* Find(const std::string& name) const;
};

// Parses the file's bytes. False with one line in `error` ("line 7: ...") when the text
// breaks a rule above; `content` is then incomplete.
bool ParseSceneText(const std::string& bytes, SceneTextContent& content, std::string& error);

// Reads the scene file (at most 16 MiB: a scene is a few lines) and parses it. False with
// `error` "cannot read the scene file: REASON" or the parse error.
bool ReadSceneText(const std::string& path, SceneTextContent& content, std::string& error);

// True when a and b are equal apart from the case of ASCII letters.
bool SameIgnoringCase(std::string_view a, std::string_view b);
