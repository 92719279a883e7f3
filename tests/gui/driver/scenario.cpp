#include "scenario.h"

#include "wide_text.h"

bool Scenario::Start(const std::wstring& folder) {
  std::string error;
  if (!model.Load(ToAnsi(folder) + "\\", error)) {
    context.log.Fail(name_ + ".start", "the driver cannot load the package: " + error);
    return false;
  }
  if (!session.Start(folder, error)) {
    context.log.Fail(name_ + ".start", error);
    return false;
  }
  return true;
}

bool Scenario::Shows(const Image& picture, const std::string& check, Point scroll) {
  std::string detail = "no picture to compare";
  return context.log.Expect(picture.IsValid() && session.ViewShows(picture, detail, scroll), check, detail);
}
