#include "attrib/journal_store.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iterator>
#include <system_error>

namespace lumaveil::attrib {
namespace {

constexpr char kExtension[] = ".lmvj";
constexpr int kNameAttempts = 100;

std::string TimeStamp(std::int64_t seconds) {
  const std::time_t time = static_cast<std::time_t>(seconds);
  const std::tm* utc = std::gmtime(&time);
  char text[32] = "00000000T000000Z";
  if (utc) std::strftime(text, sizeof text, "%Y%m%dT%H%M%SZ", utc);
  return text;
}

// Makes room for one more journal: at most kJournalsKept - 1 others, and the others together
// within half the cap. Returns the bytes they still take.
std::uint64_t Prune(const std::vector<std::filesystem::path>& newestFirst, std::uint64_t cap) {
  std::uint64_t total = 0;
  std::vector<std::pair<std::filesystem::path, std::uint64_t>> kept;
  std::error_code error;
  for (const auto& path : newestFirst) {
    const std::uint64_t size = std::filesystem::file_size(path, error);
    kept.emplace_back(path, error ? 0 : size);
    total += error ? 0 : size;
  }
  while (!kept.empty() && (kept.size() >= kJournalsKept || total > cap / 2)) {
    std::filesystem::remove(kept.back().first, error);
    total -= kept.back().second;
    kept.pop_back();
  }
  return total;
}

}  // namespace

std::optional<std::string> ReadWholeFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return std::nullopt;
  return bytes;
}

JournalWriter::JournalWriter(std::filesystem::path folder, JournalHeader header,
                             std::uint64_t byteCap)
    : folder_(std::move(folder)), header_(std::move(header)), byteCap_(byteCap) {}

JournalWriter::~JournalWriter() { Finish(); }

bool JournalWriter::Open() {
  std::error_code error;
  std::filesystem::create_directories(folder_, error);
  JournalStore store(folder_, byteCap_);
  const std::vector<std::filesystem::path> journals = store.Journals();
  const std::string stamp = TimeStamp(header_.time);
  // Later passes of the same second get higher numbers, even where older ones were pruned, so
  // that the names keep sorting by age.
  int number = 0;
  for (const auto& path : journals) {
    const std::string name = path.filename().string();
    if (name.rfind(stamp + "-", 0) == 0) {
      number = std::max(number, std::atoi(name.c_str() + stamp.size() + 1));
    }
  }
  const std::uint64_t others = Prune(journals, byteCap_);
  limit_ = byteCap_ > others ? byteCap_ - others : 0;
  // Never more than half of what the disk has left.
  const std::filesystem::space_info space = std::filesystem::space(folder_, error);
  if (!error) limit_ = std::min<std::uint64_t>(limit_, space.available / 2);

  for (int attempt = 1; attempt <= kNameAttempts && !file_; ++attempt) {
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, "-%04d", number + attempt);
    std::filesystem::path path = folder_ / (stamp + suffix + kExtension);
    file_ = fs::DurableFile::Create(path);
    if (file_) path_ = std::move(path);
  }
  if (!file_) return false;
  const std::string head = EncodeHeader(header_);
  if (head.size() > limit_ || !file_->Append(head.data(), head.size())) return false;
  size_ = head.size();
  return true;
}

bool JournalWriter::BeforeWrite(const EntryPlace& place, bool isFolder,
                                const fs::EntryAttributes& before, std::uint32_t mask) {
  if (failed_ || finished_) return true;
  if (!file_) header_.mask = mask;
  if (!file_ && !Open()) {
    failed_ = true;
    return true;
  }
  // A record that is not written whole is cut short: reading stops there, and so does writing.
  // So does an entry too deep for a record to name: the journal ends before it.
  if (!encoder_.EncodeInto(record_, place, isFolder, before, mask) ||
      size_ + record_.size() > limit_ || !file_->Append(record_.data(), record_.size())) {
    failed_ = true;
    return true;
  }
  size_ += record_.size();
  ++records_;
  return true;
}

void JournalWriter::Finish() {
  if (finished_) return;
  finished_ = true;
  if (!file_) return;
  std::string count;
  for (int i = 0; i < 8; ++i) count += static_cast<char>(records_ >> (8 * i));
  const char state = static_cast<char>(JournalState::kFinished);
  // The count first: a finished journal always says how many records it holds.
  file_->WriteAt(kJournalRecordsOffset, count.data(), count.size());
  if (!failed_) file_->WriteAt(kJournalStateOffset, &state, 1);
  if (!file_->Sync()) failed_ = true;
  file_.reset();
}

JournalStore::JournalStore(std::filesystem::path folder, std::uint64_t byteCap)
    : folder_(std::move(folder)), byteCap_(byteCap) {}

std::optional<JournalStore> JournalStore::AtDefaultPlace() {
  const auto state = fs::StateFolder();
  if (!state) return std::nullopt;
  return JournalStore(*state / "journal");
}

std::unique_ptr<JournalWriter> JournalStore::BeginOnDriveForm(const std::string& target) const {
  JournalHeader header;
  header.driveFormTarget = target;
  return Begin(std::move(header));
}

std::unique_ptr<JournalWriter> JournalStore::BeginOnNative(const fs::NativeName& target) const {
  JournalHeader header;
  header.nativeTarget = target;
  return Begin(std::move(header));
}

std::unique_ptr<JournalWriter> JournalStore::Begin(JournalHeader header) const {
  header.time = std::chrono::duration_cast<std::chrono::seconds>(
                    std::chrono::system_clock::now().time_since_epoch())
                    .count();
  return std::make_unique<JournalWriter>(folder_, std::move(header), byteCap_);
}

std::vector<std::filesystem::path> JournalStore::Journals() const {
  std::vector<std::filesystem::path> paths;
  std::error_code error;
  for (std::filesystem::directory_iterator it(folder_, error), end; !error && it != end;
       it.increment(error)) {
    if (it->path().extension() == kExtension && it->is_regular_file(error)) {
      paths.push_back(it->path());
    }
  }
  // The names begin with the time, so the newest sorts last.
  std::sort(paths.begin(), paths.end(), [](const auto& a, const auto& b) {
    return a.filename().string() > b.filename().string();
  });
  return paths;
}

std::vector<JournalListing> JournalStore::List() const {
  std::vector<JournalListing> listings;
  for (const auto& path : Journals()) {
    const auto bytes = ReadWholeFile(path);
    if (!bytes) continue;
    const JournalReadResult read = DecodeJournal(*bytes);
    if (!read.contents) continue;
    JournalListing listing{path, read.contents->header, read.contents->records.size()};
    if (listing.header.state == JournalState::kWriting) {
      fs::DurableFile::OpenExisting(path, &listing.beingWritten);
    }
    listings.push_back(std::move(listing));
  }
  return listings;
}

}  // namespace lumaveil::attrib
