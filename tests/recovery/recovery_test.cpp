// Recovery copies: the record read back and damaged records refused with a reason, a copy
// that reads back as the same screen (selection included), and which leftovers a start
// offers, in which order.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "content_commands.h"
#include "document_state.h"
#include "fifo_guard.h"
#include "image_files.h"
#include "marker_commands.h"
#include "recovery_copy.h"
#include "scene_reader.h"
#include "temp_folder.h"

namespace fs = std::filesystem;

namespace {

const std::string kPackage = std::string(VANTOREL_SOURCE_DIR) + "/resources/package/";

RecoveryRecord Record(std::uint32_t pid, int minute, std::string original = "C:\\maps\\m=1.ini") {
  return {std::move(original), {2024, 5, 1, 14, minute, 5}, {pid, 0x01DA9C3B12345678ull + pid}};
}

// A copy folder as the editor leaves it, with `record` as its record's text.
void MakeCopy(const TempFolder& root, const EditorIdentity& editor, const std::string& record) {
  const std::string name = RecoveryFolderName(editor);
  fs::create_directory(root.Path(name));
  root.Write(name + "/" + kRecoverySceneFile, "[LoadScreen]\r\n");
  root.Write(name + "/" + kRecoveryRecordFile, record);
}

}  // namespace

TEST(RecoveryRecord, ReadsBackAndRefusesWhatIsNotARecord) {
  const RecoveryRecord written = Record(4242, 7);
  RecoveryRecord read;
  std::string reason;
  ASSERT_TRUE(ParseRecoveryRecord(FormatRecoveryRecord(written), read, reason)) << reason;
  EXPECT_EQ(read.originalPath, written.originalPath);
  EXPECT_EQ(read.time.Text(), "2024-05-01 14:07:05");
  EXPECT_EQ(read.time.ClockText(), "14:07");
  EXPECT_TRUE(read.writer == written.writer);
  // An unsaved screen that never had a file, and a key a later version might add.
  ASSERT_TRUE(
      ParseRecoveryRecord("[Recovery]\nOriginal=\nTime=2024-12-31 23:59:00\nProcessId=1\n"
                          "ProcessStart=00000000000000FF\nLater=yes\n",
                          read, reason))
      << reason;
  EXPECT_EQ(read.originalPath, "");

  const std::string whole = FormatRecoveryRecord(written);
  const struct {
    std::string text;
    const char* reason;
  } damaged[] = {
      {whole.substr(0, whole.find("ProcessId")), "not named"},  // cut short by a power cut
      {"", "no Original"},
      {std::string("\0\0\0\0", 4), "zero byte"},
      {"Original=x\n", "not KEY=VALUE"},
      {"[Recovery]\ngarbage\n", "not KEY=VALUE"},
      {"[Recovery]\nOriginal=\nTime=2024-13-01 10:00:00\n", "time"},
      {"[Recovery]\nOriginal=\nTime=yesterday\n", "time"},
      {"[Recovery]\nOriginal=\nTime=2024-01-01 10:00:00\nProcessId=-3\n", "process id"},
      {"[Recovery]\nOriginal=\nTime=2024-01-01 10:00:00\nProcessId=3\nProcessStart=12\n", "16 hex"},
      {std::string(kRecoveryRecordMaxBytes + 1, ';'), "too large"},
  };
  for (const auto& row : damaged) {
    EXPECT_FALSE(ParseRecoveryRecord(row.text, read, reason)) << row.text;
    EXPECT_NE(reason.find(row.reason), std::string::npos) << reason;
  }
}

TEST(RecoveryRecord, FolderNamesCarryTheEditor) {
  const EditorIdentity editor{77, 0xABCDEF0123456789ull};
  EditorIdentity read;
  ASSERT_TRUE(ParseRecoveryFolderName(RecoveryFolderName(editor), read));
  EXPECT_TRUE(read == editor);
  for (const char* other : {"editor-77-ABCDEF0123456789.damaged", "editor-x-ABCDEF0123456789", "editor-77-ABC",
                            "editor--ABCDEF0123456789", "notes.txt", ""})
    EXPECT_FALSE(ParseRecoveryFolderName(other, read)) << other;
  const auto taken = [](const std::string& name) { return name == "a.damaged" || name == "a 2.damaged"; };
  EXPECT_EQ(DamagedNameFor("a", taken), "a 3.damaged");
  EXPECT_EQ(DamagedNameFor("b", taken), "b.damaged");
}

TEST(RecoveryCopy, ReadsBackAsTheSameScreenWithItsSelection) {
  InitImageFiles();
  TempFolder folder;
  LoadScreenDocument screen;
  screen.appDir = kPackage;
  std::string error;
  ASSERT_TRUE(screen.LoadCommonTemplates(error) && screen.SetSide(Soviet) && screen.SetCameoCount(3)) << error;
  MemoryImage shot;
  shot.Create(ScreenshotWidth, ScreenshotHeight);
  for (int y = 0; y < shot.height; ++y)
    for (int x = 0; x < shot.width; ++x) shot.WritePixel(x, y, MakePixel(x, y, x ^ y));
  ASSERT_TRUE(SetScreenshot(screen, std::move(shot), "T:\\shots\\big.png"));
  MemoryImage symbol;
  ASSERT_TRUE(LoadImageFile((kPackage + "Templates/sym_star.png").c_str(), symbol));
  ReplaceColour(symbol, kSymbolSideColourKey, kSideColourRed);
  AddMarker(screen, symbol, 0, 0, static_cast<int>(kSideColourRed), "sym_star.png");
  MoveMarkerTo(screen, 0, 300, 40);
  SelectMarker(screen, 0);
  screen.smallMapOffset = {5, 9};

  ASSERT_TRUE(WriteRecoveryCopy(folder.Folder(), screen, Record(9, 30), error)) << error;
  // Written again over the first copy, as every later change does.
  ASSERT_TRUE(WriteRecoveryCopy(folder.Folder(), screen, Record(9, 31), error)) << error;
  EXPECT_EQ(folder.Names(), (std::set<std::string>{"recovery.txt", "scene.ini", "scene.screenshot.png"}));

  RecoveryRecord record;
  ASSERT_TRUE(ReadRecoveryCopy(folder.Folder(), Record(9, 0).writer, record, error)) << error;
  EXPECT_EQ(record.time.ClockText(), "14:31");
  EXPECT_FALSE(ReadRecoveryCopy(folder.Folder(), Record(10, 0).writer, record, error));
  EXPECT_NE(error.find("another editor"), std::string::npos) << error;

  LoadScreenDocument read;
  read.appDir = kPackage;
  ASSERT_TRUE(LoadScene(JoinRecoveryPath(folder.Folder(), kRecoverySceneFile), read, error)) << error;
  screen.screenshotName = read.screenshotName;
  ImagePool pool;
  EXPECT_TRUE(SameContent(CaptureState(read, pool), screen));
  EXPECT_EQ(read.selectedMarker, 0);
  EXPECT_EQ(read.markers.MarkerAt(0).selected, 1);
}

TEST(RecoveryCopy, LeftoversOfEndedEditorsAreOfferedNewestFirst) {
  TempFolder root;
  const EditorIdentity self{1, 1}, live{2, 2};
  const RecoveryRecord older = Record(3, 10), newer = Record(4, 50, ""), alive = Record(2, 59);
  MakeCopy(root, older.writer, FormatRecoveryRecord(older));
  MakeCopy(root, newer.writer, FormatRecoveryRecord(newer));
  MakeCopy(root, live, FormatRecoveryRecord(alive));
  MakeCopy(root, self, "anything");
  MakeCopy(root, {5, 5}, "[Recovery]\nOriginal=\n");            // cut short
  MakeCopy(root, {6, 6}, FormatRecoveryRecord(Record(3, 10)));  // another editor's record
  fs::create_directory(root.Path(RecoveryFolderName({7, 7})));  // died before its first copy
  fs::create_directory(root.Path("editor-8-0000000000000008.damaged"));
  root.Write("notes.txt", "not ours");

  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(root.Folder())) names.push_back(entry.path().filename().string());
  const LeftoverPlan plan =
      PlanLeftovers(root.Folder(), names, self, [&](const EditorIdentity& editor) { return editor == live; });
  ASSERT_EQ(plan.offers.size(), 2u);
  EXPECT_EQ(plan.offers[0].name, RecoveryFolderName(newer.writer));
  EXPECT_EQ(plan.offers[1].name, RecoveryFolderName(older.writer));
  EXPECT_EQ(plan.offers[1].record.originalPath, older.originalPath);
  ASSERT_EQ(plan.damaged.size(), 2u);
  for (const DamagedCopy& copy : plan.damaged) EXPECT_FALSE(copy.reason.empty()) << copy.name;
  EXPECT_EQ(plan.abandoned, std::vector<std::string>{RecoveryFolderName({7, 7})});
}

#ifndef _WIN32
TEST(RecoveryCopy, AFifoAsTheRecordIsADamagedCopyFoundWithoutWaiting) {
  TempFolder root;
  const std::string name = RecoveryFolderName({9, 9});
  fs::create_directory(root.Path(name));
  root.Write(name + "/" + kRecoverySceneFile, "[LoadScreen]\r\n");
  const std::string record = root.Path(name + "/" + kRecoveryRecordFile);
  ASSERT_TRUE(MakeFifo(record));
  LeftoverPlan plan;
  EXPECT_TRUE(ReturnsWithoutAWriter(record, [&] {
    plan = PlanLeftovers(root.Folder(), {name}, {1, 1}, [](const EditorIdentity&) { return false; });
  }));
  ASSERT_EQ(plan.damaged.size(), 1u);
  EXPECT_NE(plan.damaged[0].reason.find("it is not a regular file"), std::string::npos) << plan.damaged[0].reason;
  EXPECT_TRUE(plan.offers.empty());
}
#endif
