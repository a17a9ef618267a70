// The built quillmere-cli run as a process on real temporary folders.
#include "cli/cli_process.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <sys/inotify.h>
#include <sys/stat.h>

#include <algorithm>
#include <csignal>
#include <map>
#include <nlohmann/json.hpp>

namespace qm {
namespace {

using Files = std::map<std::string, std::string>;

ScratchFolder& With(ScratchFolder& scratch, std::initializer_list<std::string> names) {
  for (const std::string& name : names) scratch.Add(name);
  return scratch;
}

int Lines(const std::string& text) {
  return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

TEST(CliProcess, DryRunShowsTheNewNamesAndChangesNothing) {
  ScratchFolder scratch;
  With(scratch, {"第1课.mp4", "第2课.mp4", "readme.txt"});
  const Files before = scratch.Files();
  CliRun run = RunCli(scratch, {"replace", "--find", "第", "--with", "Lesson ", Folder(scratch)});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("第1课.mp4 → Lesson 1课.mp4\n"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("第2课.mp4 → Lesson 2课.mp4\n"), std::string::npos);
  EXPECT_EQ(run.out.find("readme"), std::string::npos);
  EXPECT_NE(run.out.find("2 to rename"), std::string::npos);
  EXPECT_EQ(scratch.Files(), before);
}

TEST(CliProcess, ApplyRenamesAndUndoPutsEveryNameBack) {
  ScratchFolder scratch;
  With(scratch, {"第1课.mp4", "第十课.mp4", "other.txt"});
  const Files before = scratch.Files();
  CliRun applied = RunCli(scratch, {"to-digits", Folder(scratch), "--apply"});
  EXPECT_EQ(applied.status, 0) << applied.err;
  EXPECT_EQ(scratch.Files(), (Files{{"第1课.mp4", "第1课.mp4"},
                                    {"第10课.mp4", "第十课.mp4"},
                                    {"other.txt", "other.txt"}}));
  CliRun undone = RunCli(scratch, {"undo", Folder(scratch)});
  EXPECT_EQ(undone.status, 0) << undone.err;
  EXPECT_EQ(scratch.Files(), before);
  // Taken back wholly, the run leaves the history: nothing is left to undo.
  CliRun again = RunCli(scratch, {"undo", Folder(scratch)});
  EXPECT_EQ(again.status, 0);
  EXPECT_EQ(scratch.Files(), before);
}

TEST(CliProcess, MapSwapsTwoNamesThroughThePlan) {
  ScratchFolder scratch;
  With(scratch, {"a.txt", "b.txt"});
  std::ofstream(scratch.Root() + "/names.txt") << "b.txt\r\na.txt\r\n";
  CliRun dry =
      RunCli(scratch, {"map", scratch.Root() + "/names.txt", Folder(scratch), "--with-extension"});
  EXPECT_EQ(dry.status, 0) << dry.err;
  EXPECT_EQ(scratch.Files(), (Files{{"a.txt", "a.txt"}, {"b.txt", "b.txt"}}));
  CliRun run = RunCli(scratch, {"map", scratch.Root() + "/names.txt", Folder(scratch),
                                "--with-extension", "--apply"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(scratch.Files(), (Files{{"a.txt", "b.txt"}, {"b.txt", "a.txt"}}));
  EXPECT_EQ(RunCli(scratch, {"undo", Folder(scratch)}).status, 0);
  EXPECT_EQ(scratch.Files(), (Files{{"a.txt", "a.txt"}, {"b.txt", "b.txt"}}));
}

// A new name taken by a file outside the run fails alone, in the dry run's
// check and in the applied run, with its reason on standard error.
// Its numbers are drawn as it renames, so the window offers it no preview
// and renames at once: a dry run must not even start it.
TEST(CliProcess, AnOperationWithoutPreviewRenamesOnlyWithApply) {
  ScratchFolder scratch;
  With(scratch, {"a.txt", "b.txt"});
  const Files before = scratch.Files();
  CliRun dry = RunCli(scratch, {"append-av-number", Folder(scratch)});
  EXPECT_EQ(dry.status, 0) << dry.err;
  EXPECT_NE(dry.err.find("no preview"), std::string::npos) << dry.err;
  EXPECT_EQ(scratch.Files(), before);

  CliRun run = RunCli(scratch, {"append-av-number", Folder(scratch), "--apply", "--json"});
  EXPECT_EQ(run.status, 0) << run.err;
  const nlohmann::json document = nlohmann::json::parse(run.out);
  ASSERT_EQ(document["outcome"].size(), 2u);
  EXPECT_EQ(document["outcome"][0]["old"], "a.txt");
  EXPECT_TRUE(document["outcome"][0]["new"].get<std::string>().starts_with("a(Av"));
  EXPECT_EQ(scratch.Files().count("a.txt"), 0u);
  EXPECT_EQ(RunCli(scratch, {"undo", Folder(scratch)}).status, 0);
  EXPECT_EQ(scratch.Files(), before);
}

// Ctrl-C while the names file is still being read: the run stops before
// its first rename, says so, exits 130 and leaves no journal half written.
TEST(CliProcess, CtrlCStopsTheRunAndReportsWhatWasDone) {
  ScratchFolder scratch;
  With(scratch, {"a.txt", "b.txt"});
  const Files before = scratch.Files();
  const std::string names = scratch.Root() + "/names";
  ASSERT_EQ(mkfifo(names.c_str(), 0600), 0);
  CliProcess cli(scratch, {"map", names, Folder(scratch), "--apply"});
  // Opening the pipe waits for the program to open it: it is running by then.
  const int pipe = ::open(names.c_str(), O_WRONLY);
  ASSERT_GE(pipe, 0);
  ::kill(cli.Pid(), SIGINT);
  const std::string lines = "x\r\ny\r\n";
  ASSERT_EQ(::write(pipe, lines.data(), lines.size()), static_cast<ssize_t>(lines.size()));
  ::close(pipe);
  CliRun run = cli.Wait();
  EXPECT_EQ(run.status, 130) << run.out << run.err;
  EXPECT_NE(run.out.find("renamed 0, 2 not done (stopped by Ctrl-C)"), std::string::npos)
      << run.out;
  EXPECT_EQ(scratch.Files(), before);
  const std::string journals = scratch.Root() + "/state/quillmere";
  if (std::filesystem::exists(journals)) {
    EXPECT_TRUE(std::filesystem::is_empty(journals));
  }
}

// Ctrl-C in the middle of the renames: the run stops after the rename it is
// on. The report gives every entry of the plan, renamed or not reached,
// exactly as the folder holds them, and undo puts back every name.
TEST(CliProcess, CtrlCDuringTheRenamesReportsWhatWasAndWasNotDone) {
  constexpr int kFiles = 20000;
  ScratchFolder scratch;
  for (int i = 0; i < kFiles; ++i) scratch.Add("f" + std::to_string(i) + ".txt");
  const Files before = scratch.Files();
  const int watch = ::inotify_init1(IN_CLOEXEC);
  ASSERT_GE(watch, 0);
  ASSERT_GE(::inotify_add_watch(watch, Folder(scratch).c_str(), IN_MOVED_TO), 0);
  CliProcess cli(scratch, {"append", "--text", "_x", Folder(scratch), "--apply", "--json"});
  // At the first rename the program is held where it is and told to stop,
  // so that the stop lands among the renames however busy the machine is.
  pollfd first{watch, POLLIN, 0};
  ASSERT_EQ(::poll(&first, 1, 60'000), 1);
  ::kill(cli.Pid(), SIGSTOP);
  ::kill(cli.Pid(), SIGINT);
  ::kill(cli.Pid(), SIGCONT);
  ::close(watch);
  CliRun run = cli.Wait();
  ASSERT_EQ(run.status, 130) << run.err;

  const nlohmann::json document = nlohmann::json::parse(run.out);
  EXPECT_EQ(document["plan"].size(), static_cast<size_t>(kFiles));
  ASSERT_EQ(document["outcome"].size(), static_cast<size_t>(kFiles));
  const Files after = scratch.Files();
  int renamed = 0;
  int not_run = 0;
  for (const nlohmann::json& entry : document["outcome"]) {
    const std::string old_name = entry["old"];
    const std::string new_name = entry["new"];
    ASSERT_EQ(new_name, old_name.substr(0, old_name.size() - 4) + "_x.txt");
    if (entry["result"] == "renamed") {
      ++renamed;
      EXPECT_EQ(after.count(old_name), 0u) << old_name;
      EXPECT_EQ(after.count(new_name), 1u) << new_name;
    } else {
      ASSERT_EQ(entry["result"], "not-run") << old_name;
      ++not_run;
      EXPECT_EQ(after.count(old_name), 1u) << old_name;
      EXPECT_EQ(after.count(new_name), 0u) << new_name;
    }
  }
  EXPECT_GT(renamed, 0);
  EXPECT_GT(not_run, 0);
  EXPECT_EQ(document["summary"]["ok"], renamed);
  EXPECT_EQ(document["summary"]["not_run"], not_run);
  EXPECT_EQ(document["summary"]["stopped"], true);
  EXPECT_EQ(document["summary"]["exit_status"], 130);

  CliRun undone = RunCli(scratch, {"undo", Folder(scratch)});
  EXPECT_EQ(undone.status, 0) << undone.err;
  EXPECT_NE(undone.out.find("put back " + std::to_string(renamed) + "\n"), std::string::npos)
      << undone.out.substr(undone.out.size() - std::min<size_t>(undone.out.size(), 200));
  EXPECT_EQ(scratch.Files(), before);
}

TEST(CliProcess, FailingEntriesExitOneWithTheirReasons) {
  ScratchFolder scratch;
  With(scratch, {"x1.txt", "x2.txt", "y1.txt"});
  const std::vector<std::string> replace{"replace", "--find", "x", "--with", "y", Folder(scratch)};
  CliRun dry = RunCli(scratch, replace);
  EXPECT_EQ(dry.status, 1);
  EXPECT_NE(dry.err.find("x1.txt: 新名称已被别的文件或文件夹占用"), std::string::npos) << dry.err;
  EXPECT_NE(dry.out.find("1 to rename, 1 would fail"), std::string::npos) << dry.out;

  std::vector<std::string> apply = replace;
  apply.push_back("--apply");
  CliRun run = RunCli(scratch, apply);
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("x1.txt: 新名称已被别的文件或文件夹占用"), std::string::npos) << run.err;
  EXPECT_EQ(scratch.Files(),
            (Files{{"x1.txt", "x1.txt"}, {"y2.txt", "x2.txt"}, {"y1.txt", "y1.txt"}}));
}

// Without a journal nothing is renamed, so that nothing is renamed beyond
// undoing: the run fails, and says why.
TEST(CliProcess, AJournalThatCannotBeWrittenFailsTheRunAndRenamesNothing) {
  ScratchFolder scratch;
  With(scratch, {"a.txt", "b.txt"});
  std::ofstream(scratch.Root() + "/state") << "a file where the journals' folder would be";
  const Files before = scratch.Files();
  for (const std::vector<std::string>& apply :
       {std::vector<std::string>{"prepend", "--text", "x", Folder(scratch), "--apply"},
        {"append-av-number", Folder(scratch), "--apply"}}) {
    CliRun run = RunCli(scratch, apply);
    EXPECT_EQ(run.status, 1) << apply[0] << run.out << run.err;
    EXPECT_NE(run.err.find("无法写入改名记录"), std::string::npos) << run.err;
    EXPECT_EQ(scratch.Files(), before);
  }
}

// An entry the operation can make no name for fails with the operation's
// reason, in the dry run and applied, and the others go on.
TEST(CliProcess, AnEntryWithoutANewNameFailsWithTheOperationsReason) {
  ScratchFolder scratch;
  With(scratch, {"a.txt", "b1.txt"});
  CliRun dry = RunCli(scratch, {"regex", "^[a-z]\\d*$", "", "--json", Folder(scratch)});
  EXPECT_EQ(dry.status, 1) << dry.err;
  const nlohmann::json plan = nlohmann::json::parse(dry.out)["plan"];
  ASSERT_EQ(plan.size(), 2u);
  EXPECT_EQ(plan[0]["new"], "");
  EXPECT_EQ(plan[0]["check"], "fails");
  EXPECT_NE(dry.err.find("a.txt: 名称无效"), std::string::npos) << dry.err;

  With(scratch, {"c.txt"});
  CliRun run = RunCli(scratch, {"regex", "^[a-b]\\d*$", "", "--apply", "--json", Folder(scratch)});
  EXPECT_EQ(run.status, 1) << run.err;
  const nlohmann::json outcome = nlohmann::json::parse(run.out)["outcome"];
  ASSERT_EQ(outcome.size(), 2u);
  EXPECT_EQ(outcome[0]["result"], "failed");
  EXPECT_EQ(nlohmann::json::parse(run.out)["notes"].size(), 0u);
  EXPECT_EQ(scratch.Files().size(), 3u);
}

// From 100 entries the window writes three digits; a width of two keeps
// two, and the numbers that need more are written whole.
TEST(CliProcess, NumberWithAWidthRenamesAndUndoes) {
  ScratchFolder scratch;
  for (int i = 1; i <= 100; ++i) scratch.Add("f" + std::to_string(1000 + i));
  const Files before = scratch.Files();
  CliRun run = RunCli(scratch, {"number", "--start", "1", "--width", "2", "--separator", "、",
                                Folder(scratch), "--apply"});
  EXPECT_EQ(run.status, 0) << run.err;
  const Files after = scratch.Files();
  EXPECT_EQ(after.at("01、f1001"), "f1001");
  EXPECT_EQ(after.at("99、f1099"), "f1099");
  EXPECT_EQ(after.at("100、f1100"), "f1100");
  EXPECT_EQ(RunCli(scratch, {"undo", Folder(scratch)}).status, 0);
  EXPECT_EQ(scratch.Files(), before);
}

TEST(CliProcess, BadUsageOrInputExitsTwoWithOneLine) {
  ScratchFolder scratch;
  With(scratch, {"a.txt"});
  const std::string dir = Folder(scratch);
  const std::vector<std::vector<std::string>> cases = {
      {"replace", "--find", "a", "--no-such-option", dir},
      {"replace", "--with", "b", dir},  // what to replace is required
      {"no-such-command", dir},
      {"replace", "--find", "a", scratch.Root() + "/missing"},
      {"map", scratch.Root() + "/no-names.txt", dir},
      {"change-extension", "--to", "mp4", "--folders", dir},  // folders have no extension
      {"replace", "--find", "a", "--with", "b/c", dir},       // no name may hold a slash
      {"number", "--step", "0", dir},
      {"number", "--width", "0", dir},  // a width is a number of digits, 1 or more
      {"number", "--width", "2x", dir},
      {"number", "--width", "21", dir},
      {"number", "--width", "99999999999", dir},
      {"replace", "--find", "\xff", dir},  // not UTF-8: nothing to guess at
      {"regex", "(", "x", dir},            // the pattern does not compile
      {"regex", "a", dir},                 // the replacement is required, even ''
      {},
  };
  for (const std::vector<std::string>& arguments : cases) {
    CliRun run = RunCli(scratch, arguments);
    EXPECT_EQ(run.status, 2) << testing::PrintToString(arguments) << run.out << run.err;
    EXPECT_EQ(Lines(run.err), 1) << testing::PrintToString(arguments) << run.err;
    EXPECT_TRUE(run.err.starts_with("quillmere-cli: ")) << run.err;
  }
  EXPECT_EQ(scratch.Files(), (Files{{"a.txt", "a.txt"}}));
}

TEST(CliProcess, NothingToDoExitsZero) {
  ScratchFolder scratch;
  With(scratch, {"a.txt"});
  CliRun run = RunCli(scratch, {"replace", "--find", "zzz", Folder(scratch), "--apply"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(RunCli(scratch, {"undo", Folder(scratch)}).status, 0);
}

TEST(CliProcess, JsonHoldsThePlanThenTheOutcomePerEntry) {
  ScratchFolder scratch;
  With(scratch, {"x1.txt", "x2.txt", "y1.txt", "z.txt"});
  CliRun run = RunCli(
      scratch, {"replace", "--find", "x", "--with", "y", "--json", "--apply", Folder(scratch)});
  EXPECT_EQ(run.status, 1);
  nlohmann::json document = nlohmann::json::parse(run.out);
  EXPECT_EQ(document["command"], "replace");
  EXPECT_EQ(document["folder"], Folder(scratch) + "/");
  ASSERT_EQ(document["plan"].size(), 2u);
  EXPECT_EQ(document["plan"][0]["old"], "x1.txt");
  EXPECT_EQ(document["plan"][0]["new"], "y1.txt");
  ASSERT_EQ(document["outcome"].size(), 2u);
  EXPECT_EQ(document["outcome"][0]["result"], "failed");
  EXPECT_EQ(document["outcome"][0]["reason"], "新名称已被别的文件或文件夹占用");
  EXPECT_EQ(document["outcome"][1]["result"], "renamed");
  EXPECT_EQ(document["summary"]["exit_status"], 1);

  CliRun dry = RunCli(scratch, {"number", "--separator", "、", "--json", Folder(scratch)});
  document = nlohmann::json::parse(dry.out);
  EXPECT_FALSE(document.contains("outcome"));
  ASSERT_EQ(document["plan"].size(), 4u);
  EXPECT_EQ(document["plan"][0]["new"], "01、x1.txt");
  EXPECT_EQ(document["plan"][0]["check"], "ok");
}

TEST(CliProcess, FiltersAndFoldersFollowTheWindowsIntake) {
  ScratchFolder scratch;
  With(scratch, {"1.mp4", "2.mp4", "3.txt"});
  std::filesystem::create_directory(Folder(scratch) + "/4 folder");
  CliRun only =
      RunCli(scratch, {"prepend", "--text", "a", "--only", "mp4", "--json", Folder(scratch)});
  EXPECT_EQ(nlohmann::json::parse(only.out)["plan"].size(), 2u);
  CliRun skip =
      RunCli(scratch, {"prepend", "--text", "a", "--skip", "mp4", "--json", Folder(scratch)});
  auto skipped = nlohmann::json::parse(skip.out)["plan"];
  ASSERT_EQ(skipped.size(), 1u);
  EXPECT_EQ(skipped[0]["old"], "3.txt");
  CliRun folders =
      RunCli(scratch, {"prepend", "--text", "a", "--folders", "--json", Folder(scratch)});
  auto renamed = nlohmann::json::parse(folders.out)["plan"];
  ASSERT_EQ(renamed.size(), 1u);
  EXPECT_EQ(renamed[0]["new"], "a4 folder");
}

TEST(CliProcess, HelpNamesEveryCommandAndEachCommandShowsExamples) {
  ScratchFolder scratch;
  CliRun help = RunCli(scratch, {"--help"});
  EXPECT_EQ(help.status, 0);
  for (const char* command : {"replace", "number", "to-simplified", "map", "undo"}) {
    EXPECT_NE(help.out.find(command), std::string::npos) << command;
  }
  CliRun replace = RunCli(scratch, {"replace", "--help"});
  EXPECT_EQ(replace.status, 0);
  EXPECT_NE(replace.out.find("--anywhere"), std::string::npos);
  EXPECT_NE(replace.out.find("Examples:"), std::string::npos);
}

// On a terminal (script(1) gives it one) the entries are coloured, unless
// NO_COLOR is set; into a file, never.
TEST(CliProcess, ColoursOnlyOnATerminalAndNeverWithNoColor) {
  ScratchFolder scratch;
  With(scratch, {"a.txt"});
  const std::string output = scratch.Root() + "/terminal.txt";
  auto on_terminal = [&](const std::string& no_colour) {
    const std::string command = "env -u NO_COLOR " + no_colour +
                                " XDG_STATE_HOME=" + scratch.Root() +
                                "/state script -qec '" QM_CLI_BINARY " prepend --text x " +
                                Folder(scratch) + "' /dev/null > " + output;
    EXPECT_EQ(std::system(command.c_str()), 0);
    return ReadWhole(output);
  };
  const std::string coloured = on_terminal("");
  EXPECT_NE(coloured.find("\033[32ma.txt → xa.txt\033[0m"), std::string::npos) << coloured;
  const std::string plain = on_terminal("NO_COLOR=1");
  EXPECT_NE(plain.find("a.txt → xa.txt"), std::string::npos) << plain;
  EXPECT_EQ(plain.find('\033'), std::string::npos) << plain;
  EXPECT_EQ(RunCli(scratch, {"prepend", "--text", "x", Folder(scratch)}).out.find('\033'),
            std::string::npos);
}

// The program must start where no display and no Qt library exist.
TEST(CliProcess, LinksNoQtLibrary) {
  ScratchFolder scratch;
  const std::string listing = scratch.Root() + "/ldd.txt";
  ASSERT_EQ(std::system(("ldd " QM_CLI_BINARY " > " + listing).c_str()), 0);
  const std::string libraries = ReadWhole(listing);
  EXPECT_NE(libraries.find("libc.so"), std::string::npos) << libraries;
  EXPECT_EQ(libraries.find("libQt"), std::string::npos) << libraries;
}

}  // namespace
}  // namespace qm
