// The SHP dialog's export into the game: the MIX archive with the 640 x 400 picture, the
// mission file's keys naming its members with every other byte kept, one report of what was
// written where in both languages; and every refusal before anything is written.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "editing_session.h"
#include "mix_archive.h"
#include "mix_database.h"
#include "mix_name_id.h"
#include "scripted_prompts.h"
#include "shared_package.h"
#include "shp_export_run.h"
#include "temp_folder.h"

namespace {

class ShpExportRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string message;
    ASSERT_TRUE(session.Start(SharedPackage().AppDir(), message)) << message;
  }
  // The dialog as a modder fills it in: bare names, which lie beside the SHP.
  ShpForm Form(const std::string& map, const std::string& missionFile) const {
    ShpForm form = OpenShpForm(folder.Path("ls.shp"), {}, {true, "mod.mix", map, missionFile});
    return form;
  }

  TempFolder folder;
  EditingSession session;
  ScriptedPrompts prompts;
  StatusLine status;
};

// The members of the archive at `path` by name, with their bodies, and its name list.
std::vector<std::pair<std::uint32_t, std::string>> Members(const std::string& path, std::vector<std::string>& names) {
  const std::string archive = ReadWholeFile(path);
  MixIndex index;
  std::string error;
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(archive.data());
  EXPECT_EQ(ReadMixIndex(bytes, archive.size(), index, error), MixReadStatus::kOk) << error;
  std::vector<std::pair<std::uint32_t, std::string>> members;
  for (const MixEntry& entry : index.entries) {
    const std::string body = archive.substr(index.bodyStart + entry.offset, entry.size);
    if (entry.id == kMixDatabaseId)
      EXPECT_TRUE(ReadMixDatabase(reinterpret_cast<const std::uint8_t*>(body.data()), body.size(), names, error));
    else
      members.emplace_back(entry.id, body);
  }
  return members;
}

TEST_F(ShpExportRunTest, PacksThe640PictureAndSetsTheMissionKeysInPlace) {
  const std::string mission =
      "; campaign\r\n[Basic]\r\nName=Ops\r\n\r\n[ALL01UMD.MAP]\r\nBriefing=B1 ; keep\r\nlS800bkgdname=OLD.SHP\r\n\r\n"
      "[Other]\r\nX=1\r\n";
  folder.Write("missionmd.ini", mission);
  ShpExportPlan plan;
  ASSERT_TRUE(PlanShpExport(Form("ALL01UMD.MAP", "missionmd.ini"), plan, prompts));
  EXPECT_EQ(plan.settings.palettePath, folder.Path("ls.pal"));
  EXPECT_EQ(plan.settings.ls640Path, folder.Path("ls6.shp"));
  int steps = 0;
  ASSERT_TRUE(RunShpExport(
      session.document(), plan, [&] { ++steps; }, prompts, status));
  EXPECT_EQ(steps, 14);
  EXPECT_TRUE(prompts.shown.empty()) << prompts.English(0);

  // The SHP and PAL are the bytes of a plain export with the same settings.
  ShpExportSettings plain = plan.settings;
  plain.exportPath = folder.Path("plain.shp");
  plain.palettePath = folder.Path("plain.pal");
  plain.ls640Path.clear();
  const ShpExportResult core = ExportShp(session.document(), plain);
  ASSERT_TRUE(core.success);
  const std::string shp = ReadWholeFile(folder.Path("ls.shp")), pal = ReadWholeFile(folder.Path("ls.pal"));
  EXPECT_EQ(shp, ReadWholeFile(plain.exportPath));
  EXPECT_EQ(pal, ReadWholeFile(plain.palettePath));

  std::vector<std::string> names;
  const auto members = Members(folder.Path("mod.mix"), names);
  const std::string ls640 = ReadWholeFile(folder.Path("ls6.shp"));
  EXPECT_EQ(ls640.size(), 32u + 640u * 400u);
  for (const auto& [id, body] : members)
    EXPECT_EQ(body, id == MixNameId("LS.SHP") ? shp : id == MixNameId("LS.PAL") ? pal : ls640) << std::hex << id;
  EXPECT_EQ(members.size(), 3u);
  EXPECT_EQ(std::set<std::string>(names.begin(), names.end()),
            (std::set<std::string>{"ls.shp", "ls.pal", "ls6.shp", "local mix database.dat"}));

  // The keys name the members; everything else stays, CR LF lines and the key's case too.
  EXPECT_EQ(ReadWholeFile(folder.Path("missionmd.ini")),
            "; campaign\r\n[Basic]\r\nName=Ops\r\n\r\n[ALL01UMD.MAP]\r\nBriefing=B1 ; keep\r\nlS800bkgdname=LS.SHP\r\n"
            "LS640BkgdName=LS6.SHP\r\nLS800BkgdPal=LS.PAL\r\n\r\n[Other]\r\nX=1\r\n");

  const TextLine report = status.Part(StatusPart::Hint);
  const std::string index0 =
      core.index0Pixels > 0
          ? " " + std::to_string(core.index0Pixels) + " pixels use palette entry 0, which the games draw transparent."
          : "";
  EXPECT_EQ(Utf8Line(report, InterfaceLanguage::English),
            "Saved ls.shp and ls.pal (256 colours)." + index0 +
                " Packed LS.SHP, LS.PAL, LS6.SHP into mod.mix. Set [ALL01UMD.MAP] in missionmd.ini.");
  const std::string chinese = Utf8Line(report, InterfaceLanguage::Chinese);
  EXPECT_NE(chinese.find("已把 LS.SHP, LS.PAL, LS6.SHP 放入 mod.mix。 已设置 missionmd.ini 的 [ALL01UMD.MAP]。"),
            std::string::npos)
      << chinese;

  // Again: the archive's entries are replaced, the file already holds the names.
  ASSERT_TRUE(PlanShpExport(Form("ALL01UMD.MAP", "missionmd.ini"), plan, prompts));
  ASSERT_TRUE(RunShpExport(session.document(), plan, {}, prompts, status));
  EXPECT_EQ(Members(folder.Path("mod.mix"), names).size(), 3u);
  EXPECT_NE(Utf8Line(status.Part(StatusPart::Hint), InterfaceLanguage::English)
                .find(" [ALL01UMD.MAP] in missionmd.ini already held these names."),
            std::string::npos);
}

TEST_F(ShpExportRunTest, MissingMissionFileIsMadeAndWithoutAMapNoneIsTouched) {
  ShpExportPlan plan;
  ASSERT_TRUE(PlanShpExport(Form("SOV01UMD.MAP", folder.Path("new.ini")), plan, prompts));
  ASSERT_TRUE(RunShpExport(session.document(), plan, {}, prompts, status));
  EXPECT_EQ(ReadWholeFile(folder.Path("new.ini")),
            "[SOV01UMD.MAP]\r\nLS640BkgdName=LS6.SHP\r\nLS800BkgdName=LS.SHP\r\nLS800BkgdPal=LS.PAL\r\n");
  EXPECT_NE(
      Utf8Line(status.Part(StatusPart::Hint), InterfaceLanguage::English).find(" Made new.ini with [SOV01UMD.MAP]."),
      std::string::npos);

  // Without the MIX there is no 640 picture and no mission file.
  ShpForm plainForm = Form("SOV01UMD.MAP", "other.ini");
  plainForm.mix.pack = false;
  plainForm.shpPath = folder.Path("plain.shp");
  plainForm.paletteName = "plain.pal";
  ASSERT_TRUE(PlanShpExport(plainForm, plan, prompts));
  ASSERT_TRUE(RunShpExport(session.document(), plan, {}, prompts, status));
  EXPECT_EQ(folder.Names(),
            (std::set<std::string>{"ls.shp", "ls.pal", "ls6.shp", "mod.mix", "new.ini", "plain.shp", "plain.pal"}));
  EXPECT_EQ(Utf8Line(status.Part(StatusPart::Hint), InterfaceLanguage::English).find("Packed"), std::string::npos);
}

// Each refusal: our line in the interface's language, the core's line after it, nothing
// written.
TEST_F(ShpExportRunTest, RefusalsComeBeforeAnythingIsWritten) {
  const std::string utf16("\xFF\xFE[\0A\0]\0\r\0\n\0", 12);
  folder.Write("utf16.ini", utf16);
  folder.Write("shot.png", std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16));
  struct Case {
    const char* name;
    ShpForm form;
    const char* english;  // the message's start
    const char* chinese;
    const char* core;  // a part of the core's line; empty for none
  };
  ShpForm noMix = Form("A.MAP", "m.ini");
  noMix.mix.file.clear();
  ShpForm notMix = Form("", "");
  notMix.mix.file = "shot.png";
  ShpForm foreignName = Form("", "");
  foreignName.shpPath = folder.Path("ls\xC3\xA9.shp");
  const Case cases[] = {
      {"no extension", Form("SOV01", "m.ini"), "Map file name error!\n\n", "地图文件名错误！\n\n",
       "has no extension: give the scenario's map file name, such as ALL01UMD.MAP"},
      {"bracket", Form("ALL]01.MAP", "m.ini"), "Map file name error!", "地图文件名错误！", "ALL]01.MAP"},
      {"UTF-16 file", Form("ALL01UMD.MAP", "utf16.ini"), "Mission file error!\n\n", "任务文件错误！\n\n", "UTF-16"},
      {"binary file", Form("ALL01UMD.MAP", "shot.png"), "Mission file error!", "任务文件错误！", "not INI text"},
      {"mission file is the archive", Form("ALL01UMD.MAP", "mod.mix"), "Mission file error!", "任务文件错误！",
       "named as another output"},
      {"map without mission file", Form("ALL01UMD.MAP", ""), "Mission file error!\n\nEnter the mission file",
       "任务文件错误！\n\n请输入任务文件", ""},
      {"mission file without map", Form("", "m.ini"), "Mission file error!\n\nEnter the scenario's map file name",
       "任务文件错误！\n\n请输入场景的地图文件名", ""},
      {"no archive name", noMix, "MIX file error!\n\nEnter the name", "MIX 文件错误！", ""},
      {"archive is a picture", notMix, "MIX file error!\n\n", "MIX 文件错误！", "shot.png"},
      {"member name not ASCII", foreignName, "MIX file error!\n\n", "MIX 文件错误！", "ASCII"},
  };
  const std::set<std::string> before = folder.Names();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    prompts.shown.clear();
    ShpExportPlan plan;
    EXPECT_FALSE(PlanShpExport(c.form, plan, prompts));
    ASSERT_EQ(prompts.shown.size(), 1u);
    const std::string english = prompts.English(0), chinese = prompts.Chinese(0);
    EXPECT_EQ(english.rfind(c.english, 0), 0u) << english;
    EXPECT_EQ(chinese.rfind(c.chinese, 0), 0u) << chinese;
    EXPECT_NE(english.find(c.core), std::string::npos) << english;
    EXPECT_EQ(prompts.shown[0].caption, PromptCaption::Error);
  }
  EXPECT_EQ(folder.Names(), before);
  EXPECT_EQ(ReadWholeFile(folder.Path("utf16.ini")), utf16);
}

}  // namespace
