#include "attrib/journal_format.h"

#include <algorithm>
#include <cstring>

namespace lumaveil::attrib {
namespace {

constexpr char kMagic[4] = {'L', 'M', 'V', 'J'};
constexpr std::uint8_t kVersion = 1;

void PutU8(std::string& out, std::uint8_t value) { out += static_cast<char>(value); }
template <typename Unsigned>
void PutLe(std::string& out, Unsigned value) {
  for (std::size_t i = 0; i < sizeof(Unsigned); ++i) {
    out += static_cast<char>(static_cast<std::uint8_t>(value >> (8 * i)));
  }
}
void PutName(std::string& out, const fs::NativeName& name) {
  PutLe<std::uint32_t>(out, static_cast<std::uint32_t>(name.size()));
  if constexpr (sizeof(fs::NativeChar) == 1) {
    out.append(reinterpret_cast<const char*>(name.data()), name.size());
  } else {
    for (fs::NativeChar unit : name) {
      PutLe(out, static_cast<std::make_unsigned_t<fs::NativeChar>>(unit));
    }
  }
}

std::uint32_t Checksum(std::string_view bytes) {
  std::uint32_t hash = 2166136261u;  // FNV-1a
  for (char c : bytes) {
    hash ^= static_cast<std::uint8_t>(c);
    hash *= 16777619u;
  }
  return hash;
}

// Reads little-endian fields from a byte range; every read says whether the bytes were there.
class Reader {
 public:
  explicit Reader(std::string_view bytes) : bytes_(bytes) {}

  template <typename Unsigned>
  bool Le(Unsigned& value) {
    if (bytes_.size() - at_ < sizeof(Unsigned)) return false;
    value = 0;
    for (std::size_t i = 0; i < sizeof(Unsigned); ++i) {
      value |= static_cast<Unsigned>(static_cast<std::uint8_t>(bytes_[at_ + i])) << (8 * i);
    }
    at_ += sizeof(Unsigned);
    return true;
  }
  bool Name(fs::NativeName& name) {
    std::uint32_t units = 0;
    if (!Le(units) || (bytes_.size() - at_) / sizeof(fs::NativeChar) < units) return false;
    name.resize(units);
    for (fs::NativeChar& unit : name) {
      std::make_unsigned_t<fs::NativeChar> value = 0;
      Le(value);
      unit = static_cast<fs::NativeChar>(value);
    }
    return true;
  }
  bool RestIsZero() const {
    return bytes_.find_first_not_of('\0', at_) == std::string_view::npos;
  }
  std::string_view Take(std::size_t size) {
    if (bytes_.size() - at_ < size) return {};
    std::string_view taken = bytes_.substr(at_, size);
    at_ += size;
    return taken;
  }
  std::size_t Left() const { return bytes_.size() - at_; }

 private:
  std::string_view bytes_;
  std::size_t at_ = 0;
};

std::optional<JournalHeader> ReadHeader(Reader& reader, bool& otherSystem) {
  otherSystem = false;
  const std::string_view magic = reader.Take(4);
  if (magic.size() != 4 || std::memcmp(magic.data(), kMagic, 4) != 0) return std::nullopt;
  std::uint8_t version = 0, state = 0, unit = 0, form = 0;
  JournalHeader header;
  std::uint64_t time = 0;
  if (!reader.Le(version) || version != kVersion || !reader.Le(state) || !reader.Le(unit) ||
      !reader.Le(form) || !reader.Le(header.records) || !reader.Le(time) ||
      !reader.Le(header.mask) || state > 2) {
    return std::nullopt;
  }
  std::uint32_t reserved = 0;
  if (!reader.Le(reserved)) return std::nullopt;
  if (unit != sizeof(fs::NativeChar)) {
    otherSystem = true;
    return std::nullopt;
  }
  if (form != 0) {
    std::uint32_t length = 0;
    if (!reader.Le(length)) return std::nullopt;
    header.driveFormTarget = std::string(reader.Take(length));
    if (header.driveFormTarget.size() != length || length == 0) return std::nullopt;
  } else if (!reader.Name(header.nativeTarget)) {
    return std::nullopt;
  }
  header.state = static_cast<JournalState>(state);
  header.time = static_cast<std::int64_t>(time);
  return header;
}

// `path`: the folders of the record before, as indexes in `contents.folders`; on return, this
// record's.
bool ReadRecord(std::string_view payload, std::vector<std::size_t>& path,
                JournalContents& contents, JournalRecord& record) {
  Reader reader(payload);
  std::uint16_t keep = 0, add = 0;
  if (!reader.Le(keep) || !reader.Le(add) || keep > path.size()) return false;
  path.resize(keep);
  for (std::uint16_t i = 0; i < add; ++i) {
    JournalFolder folder;
    folder.parent = path.empty() ? 0 : path.back();
    folder.depth = path.size() + 1;
    if (!reader.Name(folder.name)) return false;
    path.push_back(contents.folders.size());
    contents.folders.push_back(std::move(folder));
  }
  record.folder = path.empty() ? 0 : path.back();
  std::uint8_t isFolder = 0;
  if (!reader.Name(record.name) || !reader.Le(isFolder) || !reader.Le(record.before.bits) ||
      !reader.Le(record.before.mode) || !reader.Le(record.mask)) {
    return false;
  }
  record.isFolder = isFolder != 0;
  return reader.Left() == 0;
}

}  // namespace

std::string EncodeHeader(const JournalHeader& header) {
  std::string out(kMagic, 4);
  PutU8(out, kVersion);
  PutU8(out, static_cast<std::uint8_t>(header.state));
  PutU8(out, sizeof(fs::NativeChar));
  PutU8(out, header.driveFormTarget.empty() ? 0 : 1);
  PutLe<std::uint64_t>(out, header.records);
  PutLe<std::uint64_t>(out, static_cast<std::uint64_t>(header.time));
  PutLe<std::uint32_t>(out, header.mask);
  PutLe<std::uint32_t>(out, 0);
  if (header.driveFormTarget.empty()) {
    PutName(out, header.nativeTarget);
  } else {
    PutLe<std::uint32_t>(out, static_cast<std::uint32_t>(header.driveFormTarget.size()));
    out += header.driveFormTarget;
  }
  return out;
}

bool RecordEncoder::EncodeInto(std::string& out, const EntryPlace& place, bool isFolder,
                               const fs::EntryAttributes& before, std::uint32_t mask) {
  const std::vector<std::uint64_t>& ids = place.folderIds;
  if (ids.size() > kJournalMostFolders) return false;
  // A level with the same number is the same folder, and so is every level above it.
  std::size_t keep = std::min(previous_.size(), ids.size());
  while (keep > 0 && previous_[keep - 1] != ids[keep - 1]) --keep;
  out.clear();
  PutLe<std::uint32_t>(out, 0);  // the payload's length, once it is known
  const std::size_t start = out.size();
  PutLe<std::uint16_t>(out, static_cast<std::uint16_t>(keep));
  PutLe<std::uint16_t>(out, static_cast<std::uint16_t>(ids.size() - keep));
  for (std::size_t i = keep; i < ids.size(); ++i) PutName(out, place.folders[i]);
  PutName(out, place.name);
  PutU8(out, isFolder ? 1 : 0);
  PutLe<std::uint32_t>(out, before.bits);
  PutLe<std::uint32_t>(out, before.mode);
  PutLe<std::uint32_t>(out, mask);

  const std::size_t length = out.size() - start;
  for (std::size_t i = 0; i < 4; ++i) out[i] = static_cast<char>(length >> (8 * i));
  PutLe<std::uint32_t>(out, Checksum(std::string_view(out).substr(start, length)));
  previous_.resize(keep);
  previous_.insert(previous_.end(), ids.begin() + static_cast<std::ptrdiff_t>(keep), ids.end());
  return true;
}

JournalReadResult DecodeJournal(std::string_view bytes) {
  JournalReadResult result;
  Reader reader(bytes);
  bool otherSystem = false;
  std::optional<JournalHeader> header = ReadHeader(reader, otherSystem);
  if (!header) {
    if (otherSystem) result.error = JournalReadError::kOtherSystem;
    return result;
  }
  JournalContents contents;
  contents.header = std::move(*header);
  std::vector<std::size_t> path;  // the folders of the record last read
  while (reader.Left() > 0) {
    std::uint32_t length = 0, checksum = 0;
    std::string_view payload;
    // No record is empty: zeros from here on are space the writer reserved ahead and a crash
    // left unused, and the journal ends here, whole.
    if (reader.Le(length) && length == 0 && reader.RestIsZero()) break;
    if (length == 0 || (payload = reader.Take(length)).size() != length ||
        !reader.Le(checksum) || checksum != Checksum(payload)) {
      contents.cutShort = true;
      break;
    }
    JournalRecord record;
    if (!ReadRecord(payload, path, contents, record)) {
      contents.cutShort = true;
      break;
    }
    contents.records.push_back(std::move(record));
  }
  result.contents = std::move(contents);
  return result;
}

}  // namespace lumaveil::attrib
