#include "figures/commit_texts.h"

#include "figures/figures.h"

namespace vantrel {

std::string CommittedText(const CommitFigures& commit) {
  return "Committed: " + std::to_string(WholeMegabytes(commit.committed)) + " MB of " +
         std::to_string(WholeMegabytes(commit.limit)) + " MB (" +
         std::to_string(Percent(commit.committed, commit.limit)) + "%)";
}

std::string CommittedBrief(const CommitFigures& commit) {
  return "Committed: " + std::to_string(Percent(commit.committed, commit.limit)) + "% of " +
         std::to_string(WholeMegabytes(commit.limit)) + " MB";
}

std::string PageFileText(const PageFileFigures& pageFiles) {
  if (pageFiles.files == 0) {
    return "No page file";
  }
  return "Page file: " + std::to_string(WholeMegabytes(pageFiles.inUse)) + " MB in use";
}

std::string CommitLine(const std::optional<CommitFigures>& commit,
                       const std::optional<PageFileFigures>& pageFiles) {
  std::string line = commit ? CommittedText(*commit) : "";
  if (pageFiles) {
    line += (line.empty() ? "" : "  ") + PageFileText(*pageFiles);
  }
  return line;
}

}  // namespace vantrel
