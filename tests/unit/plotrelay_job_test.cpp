// The plot driver's job: INI reading, the [@Job] settings, the order of the
// run lists, macro steps and the {Key} references in them.
#include <gtest/gtest.h>

#include <map>

#include "base/error.h"
#include "base/text_file.h"
#include "base_test_files.h"
#include "plotrelay/plotrelay_job.h"
#include "plotrelay/plotrelay_steps.h"

namespace {

using Lines = std::vector<std::wstring>;
using plotrelay::Job;
using plotrelay::Step;
using plotrelay::StepKind;

std::vector<std::wstring> refsOf(const Job& job) {
  std::vector<std::wstring> out;
  for (const auto& b : job.blocks()) out.push_back(b.runList + L"/" + b.label + L"/" + b.section);
  return out;
}

TEST(PlotRelayJob, SectionsEntriesAndComments) {
  const Job job =
      Job::parse({L"Stray=ignored", L"[@Job]", L"  Run = @Layers , @Drills  ", L"; Run=commented",
                  L"no equals sign here", L"[ Top ]", L"Layer = Top", L"layer=second", L"Ext==GTL",
                  L"  [Empty]", L"", L"[top]", L"Layer=shadowed"});
  const plotrelay::JobSection* top = job.section(L"TOP");
  ASSERT_NE(top, nullptr);
  EXPECT_EQ(top->value(L"LAYER"), L"Top");  // first entry of the first section wins
  EXPECT_EQ(top->value(L"Ext"), L"=GTL");
  EXPECT_EQ(top->value(L"Missing"), L"");
  EXPECT_FALSE(top->find(L"Missing").has_value());
  ASSERT_NE(job.section(L"empty"), nullptr);
  EXPECT_TRUE(job.section(L"empty")->entries.empty());
  EXPECT_EQ(job.section(L"@job")->value(L"Stray"), L"");
  EXPECT_EQ(job.settings().runLists, (Lines{L"@Layers", L"@Drills"}));
}

TEST(PlotRelayJob, CaseOfCyrillicNamesIsIgnoredToo) {
  const Job job = Job::parse({L"[Верх]", L"Слой=Верх"});
  ASSERT_NE(job.section(L"ВЕРХ"), nullptr);
  EXPECT_EQ(job.section(L"верх")->value(L"СЛОЙ"), L"Верх");
}

TEST(PlotRelayJob, TriesComeFromTheJobOrTheDefault) {
  struct Case {
    const wchar_t* line;
    int32_t windowTries;
  };
  const Case cases[] = {{L"WindowTries=20", 20},  {L"WindowTries= 7 ", 7},
                        {L"WindowTries=", 1000},  {L"WindowTries=abc", 1000},
                        {L"WindowTries=0", 1000}, {L"WindowTries=-3", 1000},
                        {L"Other=1", 1000}};
  for (const Case& c : cases) {
    const Job job = Job::parse({L"[@Job]", c.line, L"ControlTries=5"});
    EXPECT_EQ(job.settings().windowTries, c.windowTries)
        << std::string(c.line, c.line + wcslen(c.line));
    EXPECT_EQ(job.settings().controlTries, 5);
  }
  EXPECT_EQ(Job::parse({}).settings().controlTries, plotrelay::kDefaultTries);
}

TEST(PlotRelayJob, BlocksFollowTheRunListsThenFileOrder) {
  const Lines body = {L"[@Layers]",          L"Top = r*Top",      L"Note = reserved",
                      L"Bottom = r*Bottom",  L"Mid = R* Mid ",    L"[@Drills]",
                      L"13Bottom = r*13Top", L"All = r*@DrillAll"};
  Lines forward = {L"[@Job]", L"Run=@Layers,@Drills"};
  forward.insert(forward.end(), body.begin(), body.end());
  EXPECT_EQ(refsOf(Job::parse(forward)),
            (Lines{L"@Layers/Top/Top", L"@Layers/Bottom/Bottom", L"@Layers/Mid/Mid",
                   L"@Drills/13Bottom/13Top", L"@Drills/All/@DrillAll"}));
  Lines reversed = {L"[@Job]", L"Run=@Drills,,@Layers"};
  reversed.insert(reversed.end(), body.begin(), body.end());
  EXPECT_EQ(refsOf(Job::parse(reversed)),
            (Lines{L"@Drills/13Bottom/13Top", L"@Drills/All/@DrillAll", L"@Layers/Top/Top",
                   L"@Layers/Bottom/Bottom", L"@Layers/Mid/Mid"}));
}

TEST(PlotRelayJob, RunListWithoutSectionIsReported) {
  const Job job = Job::parse({L"[@Job]", L"Run=@Layers,@Drills", L"[@Layers]", L"Top=r*Top"});
  std::vector<std::wstring> missing;
  EXPECT_EQ(job.blocks(&missing).size(), 1u);
  EXPECT_EQ(missing, (Lines{L"@Drills"}));
}

TEST(PlotRelayJob, ReadsEveryEncodingOfTheFile) {
  testfiles::TempDir dir("plotrelay-job");
  const Lines lines = {L"[@Job]",      L"Run=@Layers", L"[@Layers]",
                       L"Верх=r*Верх", L"[Верх]",      L"Layer=Верх"};
  for (base::Encoding enc : {base::Encoding::Utf8Bom, base::Encoding::Utf16LeBom}) {
    base::TextFile file;
    file.encoding = enc;
    file.lines = lines;
    base::writeTextFile(dir / "pcad.ini", file);
    const Job job = Job::read(dir / "pcad.ini");
    ASSERT_EQ(job.blocks().size(), 1u);
    EXPECT_EQ(job.section(job.blocks()[0].section)->value(L"Layer"), L"Верх");
  }
  EXPECT_THROW(Job::read(dir / "absent.ini"), base::AppError);
}

// ---- steps ----

std::wstring expand(const std::wstring& field) {
  const std::map<std::wstring, std::wstring> block = {
      {L"layer", L"Sig|50%{Ext}"}, {L"ext", L"GTL"}, {L"outputpathid", L"C:\\out\\"}};
  return plotrelay::expandRefs(
      field,
      [&](const std::wstring& key) {
        std::wstring k;
        for (wchar_t c : key) k += static_cast<wchar_t>(towlower(c));
        auto it = block.find(k);
        return it == block.end() ? std::wstring() : it->second;
      },
      L"board");
}

TEST(PlotRelaySteps, ReferencesAreReplacedOnce) {
  const std::pair<const wchar_t*, const wchar_t*> cases[] = {
      {L"{OutputPathID}{Base}.{Ext}", L"C:\\out\\board.GTL"},
      {L"{Layer}", L"Sig|50%{Ext}"},  // the value is not expanded again
      {L"Слой \"{LAYER}\"", L"Слой \"Sig|50%{Ext}\""},
      {L"{Missing}x", L"x"},
      {L"{base}", L"board"},
      {L"{{Ext}", L"{GTL"},
      {L"{Ext", L"{Ext"},
      {L"}{Ext}{", L"}GTL{"},
      {L"%Ext%", L"%Ext%"},
      {L"", L""},
  };
  for (const auto& [field, want] : cases)
    EXPECT_EQ(expand(field), want) << std::string(field, field + wcslen(field));
}

Step parse(const std::wstring& value) {
  const std::map<std::wstring, std::wstring> block = {
      {L"Layer", L"Sig|50%"}, {L"Pad", L"true"}, {L"Vias", L"FALSE"}, {L"Odd", L"yes"}};
  return plotrelay::parseStep(
      value,
      [&](const std::wstring& key) {
        auto it = block.find(key);
        return it == block.end() ? std::wstring() : it->second;
      },
      L"board");
}

TEST(PlotRelaySteps, EveryKindReadsItsFields) {
  Step s = parse(L"command|32786");
  EXPECT_EQ(s.kind, StepKind::Command);
  EXPECT_EQ(s.id, 32786);
  s = parse(L" WaitWindow |File Export Gerber|Не открылось (слой {Layer})");
  EXPECT_EQ(s.kind, StepKind::WaitWindow);
  EXPECT_EQ(s.title, L"File Export Gerber");
  EXPECT_EQ(s.errorText, L"Не открылось (слой Sig|50%)");
  s = parse(L"settext|1001|{Base}.{Layer}");
  EXPECT_EQ(s.kind, StepKind::SetText);
  EXPECT_EQ(s.id, 1001);
  EXPECT_EQ(s.text, L"board.Sig|50%");
  s = parse(L"settext|1021");
  EXPECT_EQ(s.text, L"");
  s = parse(L"check|1011|{Pad}");
  EXPECT_EQ(s.kind, StepKind::Check);
  EXPECT_TRUE(s.checked);
  EXPECT_FALSE(parse(L"check|1012|{Vias}").checked);
  s = parse(L"select|1002|{Layer}|Слой \"{Layer}\" не найден");
  EXPECT_EQ(s.kind, StepKind::Select);
  EXPECT_EQ(s.text, L"Sig|50%");
  EXPECT_EQ(s.errorText, L"Слой \"Sig|50%\" не найден");
  s = parse(L"click|1040");
  EXPECT_EQ(s.kind, StepKind::Click);
  EXPECT_EQ(s.id, 1040);
  s = parse(L"waitgone|File N/C Drill|stays");
  EXPECT_EQ(s.kind, StepKind::WaitGone);
  EXPECT_EQ(s.title, L"File N/C Drill");
  EXPECT_EQ(parse(L"sleep|250").id, 250);
  EXPECT_EQ(parse(L"sleep|-4").id, 0);
}

TEST(PlotRelaySteps, UnusableStepsAreErrors) {
  const wchar_t* cases[] = {
      L"",           L"press|1040",       L"command",    L"command|abc", L"click|{Layer}",
      L"settext||x", L"check|1011|{Odd}", L"check|1011", L"sleep|soon"};
  for (const wchar_t* value : cases) {
    EXPECT_THROW(parse(value), base::AppError) << std::string(value, value + wcslen(value));
  }
}

TEST(PlotRelaySteps, EntriesRunUntilTheFirstGap) {
  const Job job = Job::parse({L"[@S]", L"S2=click|2", L"S1=click|1", L"S3=click|3", L"S5=click|5"});
  EXPECT_EQ(plotrelay::stepEntries(*job.section(L"@S")),
            (Lines{L"click|1", L"click|2", L"click|3"}));
}

}  // namespace
