// The editing session on a small package: titles, saving and opening over unsaved changes
// with the questions the user is asked, New, a restored copy, the recent list, and what the
// window layer is told.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "editing_session.h"
#include "marker_commands.h"
#include "recovery_question.h"
#include "scripted_prompts.h"
#include "shared_package.h"
#include "temp_folder.h"

namespace {

class RecordingObserver final : public SessionObserver {
 public:
  void ScreenChanged() override { ++screenChanges; }
  void RecentFilesChanged() override { ++recentChanges; }
  void SceneSaved(const std::string& path) override { saved.push_back(path); }
  void CommandStatesChanged() override { ++stateChanges; }
  int screenChanges = 0;
  int recentChanges = 0;
  int stateChanges = 0;
  std::vector<std::string> saved;
};

class EditingSessionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string message;
    ASSERT_TRUE(session.Start(SharedPackage().AppDir(), message)) << message;
  }
  // Scenes go to a folder of each test's own.
  std::string File(const std::string& name) const { return scenes.Folder() + kPathSeparator + name; }
  void WriteScene(const std::string& name, const std::string& text) const {
    std::ofstream(File(name), std::ios::binary) << text;
  }
  void Change() { session.Key(EditMode::SmallMap, keys::kRight, 1); }
  std::string Title() const { return Utf8Line(session.Title(), InterfaceLanguage::English); }

  TempFolder scenes;
  RecordingObserver observer;
  EditingSession session{&observer};
  ScriptedPrompts prompts;
};

TEST_F(EditingSessionTest, TitleNamesTheSceneAndMarksChanges) {
  EXPECT_EQ(Title(), "Vantorel 1.11");
  EXPECT_FALSE(session.Modified());
  Change();
  EXPECT_EQ(Title(), "Vantorel 1.11 - Untitled *");
  EXPECT_EQ(Utf8Line(session.Title(), InterfaceLanguage::Chinese), "Vantorel 1.11 - 未命名 *");
  ASSERT_TRUE(session.Undo());
  EXPECT_EQ(Title(), "Vantorel 1.11");  // back to the untouched start
  ASSERT_TRUE(session.Redo());
  prompts.sceneChoices = {File("a.ini")};
  ASSERT_TRUE(session.Save(prompts));
  EXPECT_EQ(Title(), "Vantorel 1.11 - a.ini");
  EXPECT_EQ(observer.saved, std::vector<std::string>{File("a.ini")});
  EXPECT_EQ(session.RecentFiles(), std::vector<std::string>{File("a.ini")});
  Change();
  EXPECT_EQ(Title(), "Vantorel 1.11 - a.ini *");
  ASSERT_TRUE(session.Undo());
  EXPECT_EQ(Title(), "Vantorel 1.11 - a.ini");
}

TEST_F(EditingSessionTest, CancelledOrFailedSaveChangesNothing) {
  Change();
  EXPECT_FALSE(session.Save(prompts));  // the save dialog cancelled
  EXPECT_TRUE(prompts.shown.empty());
  prompts.sceneChoices = {File("missing/a.ini")};
  EXPECT_FALSE(session.Save(prompts));
  ASSERT_EQ(prompts.shown.size(), 1u);
  EXPECT_EQ(prompts.shown[0].caption, PromptCaption::Error);
  EXPECT_EQ(prompts.English(0).rfind("Error: Can't save the scene!\n", 0), 0u) << prompts.English(0);
  EXPECT_NE(prompts.English(0).find(File("missing")), std::string::npos) << prompts.English(0);
  EXPECT_TRUE(session.Modified());
  EXPECT_TRUE(session.scenePath().empty());
  EXPECT_TRUE(observer.saved.empty());
}

TEST_F(EditingSessionTest, OpenOverChangesAsksFirst) {
  WriteScene("b.ini", "[LoadScreen]\r\nSide=Soviet\r\n");
  Change();
  EXPECT_EQ(session.Open(File("b.ini"), prompts), OpenOutcome::Kept);  // Cancel
  EXPECT_EQ(session.document().side, Allied);
  ASSERT_EQ(prompts.shown.size(), 1u);
  EXPECT_EQ(prompts.English(0), "Save changes to Untitled?");  // the close question
  EXPECT_EQ(prompts.shown[0].icon, PromptIcon::Question);

  prompts.answers = {Answer::No};
  EXPECT_EQ(session.Open(File("b.ini"), prompts), OpenOutcome::Opened);
  EXPECT_EQ(session.document().side, Soviet);
  EXPECT_FALSE(session.Modified());
  EXPECT_FALSE(session.history().CanUndo());
  EXPECT_EQ(session.scenePath(), File("b.ini"));
  EXPECT_EQ(session.RecentFiles().front(), File("b.ini"));
}

TEST_F(EditingSessionTest, YesSavesTheChangesBeforeOpening) {
  WriteScene("b.ini", "[LoadScreen]\r\nSide=Yuri\r\n");
  Change();
  prompts.answers = {Answer::Yes};
  prompts.sceneChoices = {File("first.ini")};
  EXPECT_EQ(session.Open(File("b.ini"), prompts), OpenOutcome::Opened);
  EXPECT_TRUE(std::filesystem::exists(File("first.ini")));
  EXPECT_EQ(session.RecentFiles(), (std::vector<std::string>{File("b.ini"), File("first.ini")}));
}

TEST_F(EditingSessionTest, YesWithACancelledSaveKeepsTheScreen) {
  Change();
  prompts.answers = {Answer::Yes};  // the save dialog is then cancelled
  EXPECT_FALSE(session.New(prompts));
  EXPECT_TRUE(session.Modified());
  EXPECT_TRUE(session.history().CanUndo());
}

TEST_F(EditingSessionTest, UnreadableSceneIsReportedWithTheReadersLine) {
  WriteScene("bad.ini", "[LoadScreen]\r\nSide=Nobody\r\n");
  Change();
  EXPECT_EQ(session.Open(File("bad.ini"), prompts), OpenOutcome::Unreadable);
  ASSERT_EQ(prompts.shown.size(), 1u);  // no question before the scene reads
  EXPECT_EQ(prompts.English(0).rfind(File("bad.ini"), 0), 0u) << prompts.English(0);
  EXPECT_TRUE(session.Modified());
  EXPECT_TRUE(session.scenePath().empty());
}

TEST_F(EditingSessionTest, CloseQuestionNamesTheScreenInEitherLanguage) {
  EXPECT_TRUE(session.MayClose(prompts));  // nothing unsaved: no question
  Change();
  EXPECT_FALSE(session.MayClose(prompts));
  EXPECT_EQ(prompts.English(0), "Save changes to Untitled?");
  EXPECT_EQ(prompts.Chinese(0), "保存对 未命名 的更改吗?");
  prompts.sceneChoices = {File("mission 1.ini")};
  ASSERT_TRUE(session.Save(prompts));
  Change();
  prompts.answers = {Answer::No};
  EXPECT_TRUE(session.MayClose(prompts));
  EXPECT_EQ(prompts.English(1), "Save changes to mission 1.ini?");
}

// New asks the close question too, and both name the scene they would drop.
TEST_F(EditingSessionTest, NewAndOpenAskTheCloseQuestionNamingTheScene) {
  WriteScene("b.ini", "[LoadScreen]\r\nSide=Soviet\r\n");
  Change();
  EXPECT_FALSE(session.New(prompts));
  EXPECT_EQ(prompts.Chinese(0), "保存对 未命名 的更改吗?");
  prompts.answers = {Answer::No};
  ASSERT_EQ(session.Open(File("b.ini"), prompts), OpenOutcome::Opened);
  Change();
  EXPECT_FALSE(session.New(prompts));
  EXPECT_EQ(session.Open(File("b.ini"), prompts), OpenOutcome::Kept);
  EXPECT_EQ(prompts.English(2), "Save changes to b.ini?");
  EXPECT_EQ(prompts.English(3), "Save changes to b.ini?");
}

TEST_F(EditingSessionTest, NewGivesBackTheStartScreenUntitled) {
  WriteScene("b.ini", "[LoadScreen]\r\nSide=Soviet\r\nUpperLayer=no\r\n");
  ASSERT_EQ(session.Open(File("b.ini"), prompts), OpenOutcome::Opened);
  Change();
  prompts.answers = {Answer::No};
  ASSERT_TRUE(session.New(prompts));
  EXPECT_EQ(session.document().side, Allied);
  EXPECT_TRUE(session.document().viewTop);
  EXPECT_EQ(Title(), "Vantorel 1.11");
  EXPECT_FALSE(session.Modified());
  EXPECT_FALSE(session.history().CanUndo());
}

TEST_F(EditingSessionTest, RestoredCopyIsUnsavedWorkOfItsScene) {
  WriteScene("copy.ini", "[LoadScreen]\r\nSide=Yuri\r\n");
  std::string error;
  ASSERT_TRUE(session.Restore(File("copy.ini"), File("mission.ini"), prompts, error)) << error;
  EXPECT_EQ(session.document().side, Yuri);
  EXPECT_EQ(Title(), "Vantorel 1.11 - mission.ini *");
  Change();
  session.Undo();
  EXPECT_TRUE(session.Modified());  // no file holds this screen
  EXPECT_FALSE(session.Restore(File("gone.ini"), "", prompts, error));
  EXPECT_FALSE(error.empty());
}

// The record's file is only proposed: Save asks for the file (the dialog's replace question
// then applies), and only a save there makes later saves go straight to it.
TEST_F(EditingSessionTest, FirstSaveOfARestoredScreenGoesThroughSaveAs) {
  WriteScene("copy.ini", "[LoadScreen]\r\nSide=Yuri\r\n");
  WriteScene("victim.ini", "[LoadScreen]\r\nSide=Soviet\r\n");
  std::string error;
  ASSERT_TRUE(session.Restore(File("copy.ini"), File("victim.ini"), prompts, error)) << error;
  EXPECT_FALSE(session.Save(prompts));  // the dialog cancelled: nothing written
  std::ifstream victim(File("victim.ini"), std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(victim), {}), "[LoadScreen]\r\nSide=Soviet\r\n");
  EXPECT_TRUE(session.Modified());
  prompts.sceneChoices = {File("chosen.ini")};
  ASSERT_TRUE(session.Save(prompts));
  EXPECT_EQ(observer.saved, std::vector<std::string>{File("chosen.ini")});
  Change();
  ASSERT_TRUE(session.Save(prompts));  // no dialog now: no choice is left to take
  EXPECT_EQ(observer.saved.size(), 2u);
  // The close question's Yes goes through Save as too.
  ASSERT_TRUE(session.Restore(File("copy.ini"), File("victim.ini"), prompts, error)) << error;
  prompts.answers = {Answer::Yes};
  EXPECT_FALSE(session.MayClose(prompts));
  EXPECT_EQ(observer.saved.size(), 2u);
}

TEST_F(EditingSessionTest, RecoveryQuestionNamesTheSceneAndWhatNoDoes) {
  const Prompt named = RecoveryQuestion("C:\\maps\\mission1.ini", "14:32");
  EXPECT_EQ(named.icon, PromptIcon::Question);
  EXPECT_EQ(Utf8Line(named.text, InterfaceLanguage::English),
            "Vantorel did not close properly last time. Restore the unsaved screen mission1.ini from 14:32?\n\n"
            "C:\\maps\\mission1.ini\n\nNo deletes this recovery copy.");
  EXPECT_EQ(Utf8Line(RecoveryQuestion("", "09:05").text, InterfaceLanguage::Chinese),
            "Vantorel 上次没有正常关闭。要恢复 09:05 未保存的屏幕 未命名 吗?\n\n选“否”会删除这份恢复副本。");
}

TEST_F(EditingSessionTest, RecentFileThatIsGoneIsReportedAndDropped) {
  session.SetRecentFiles({File("gone.ini"), File("other.ini")});
  session.OpenRecent(0, prompts);
  EXPECT_EQ(prompts.shown.size(), 1u);
  EXPECT_EQ(session.RecentFiles(), std::vector<std::string>{File("other.ini")});
  EXPECT_EQ(observer.recentChanges, 1);
  session.OpenRecent(5, prompts);  // no such entry
  EXPECT_EQ(prompts.shown.size(), 1u);
}

TEST_F(EditingSessionTest, DeleteItemStartsEnabledThenFollowsTheMarkerCommands) {
  EXPECT_TRUE(session.DeleteItemEnabled());
  ClearSelection(session.document());
  EXPECT_FALSE(session.DeleteItemEnabled());
  MemoryImage symbol;
  symbol.Create(4, 4);
  AddMarker(session.document(), symbol, 10, 10, 0);
  EXPECT_TRUE(session.DeleteItemEnabled());
  EXPECT_GE(observer.stateChanges, 2);
}

TEST_F(EditingSessionTest, EveryChangeInsideAGroupIsSeen) {
  session.history().BeginGroup(session.document(), 1);
  Change();
  Change();
  session.EndGroup();
  EXPECT_EQ(observer.screenChanges, 2);
  EXPECT_EQ(session.history().UndoSteps(), 1u);
  session.Undo();
  EXPECT_EQ(observer.screenChanges, 3);
}

}  // namespace
