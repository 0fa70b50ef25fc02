#pragma once

#include <string>

namespace varnel {

// Keeps a half-written file from outliving its process. While a guard lives, SIGINT,
// SIGTERM and SIGHUP, when they would end the process, first remove the guarded file;
// a signal the process ignores stays ignored, and one it handles itself goes to its
// handler, the process then living on to finish or remove the file as usual. SIGXFSZ is
// ignored meanwhile, so a file size limit fails the write with an error the writer
// reports and cleans up after, instead of ending the process with the file in place.
// The guard does not remove the file when it goes: that is the writer's business.
class UnfinishedFileGuard {
 public:
  // An empty path guards no file: a file written in place has nothing to remove, and
  // only the size limit's signal is kept from ending the process.
  explicit UnfinishedFileGuard(const std::string& path);
  ~UnfinishedFileGuard();
  UnfinishedFileGuard(const UnfinishedFileGuard&) = delete;
  UnfinishedFileGuard& operator=(const UnfinishedFileGuard&) = delete;

 private:
  int slot_ = -1;  // -1 when every slot was taken: the file is then unguarded
};

}  // namespace varnel
