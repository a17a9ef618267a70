#pragma once

#include <compare>
#include <concepts>
#include <cstddef>
#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>
#include <utility>

namespace qm {

// A text written in the source that is plain ASCII, checked when it is
// compiled: for tables of constants that must need no conversion at all.
class AsciiLiteral {
 public:
  template <size_t N>
  consteval AsciiLiteral(const char (&text)[N]) : text_(text, N - 1) {
    for (char c : text_) {
      // Not a constant expression: the literal holds a byte above 0x7F.
      if (static_cast<unsigned char>(c) >= 0x80) throw "write this literal with Gbk()";
    }
  }
  constexpr std::string_view view() const { return text_; }
  constexpr operator std::string_view() const { return text_; }

 private:
  std::string_view text_;
};

// A name, path or message in the internal encoding (GB18030, a superset of
// code page 936). Positions and lengths in it are counted in bytes.
//
// A type of its own so that UTF-8 and internal text cannot be mixed: bytes
// become internal text only through an explicit constructor (they were read
// from a journal or cut from another internal text) or through the encoding
// boundary, and internal text never turns into a std::string by itself. It
// reads as a byte view anywhere a std::string_view is taken, which is how the
// text primitives walk it.
// A view of internal text's bytes: a std::string_view itself, not anything
// that converts to one, so that a literal never passes as internal bytes.
template <class View>
concept ByteView = std::same_as<std::remove_cvref_t<View>, std::string_view>;

class GbkText;
// Exactly internal text, or exactly a std::string (which holds UTF-8 or other
// bytes): for the overloads that refuse the wrong one at the encoding
// boundary without catching a literal.
template <class T>
concept InternalText = std::same_as<std::remove_cvref_t<T>, GbkText>;
template <class T>
concept PlainString = std::same_as<std::remove_cvref_t<T>, std::string>;

class GbkText {
 public:
  using value_type = char;
  using size_type = std::string::size_type;
  using iterator = std::string::iterator;
  using const_iterator = std::string::const_iterator;
  static constexpr size_type npos = std::string::npos;

  GbkText() = default;
  // Bytes known to be in the internal encoding. Only a std::string or a
  // std::string_view itself is taken, so a literal cannot slip in through
  // them: it is an AsciiLiteral or goes through Gbk().
  template <class Bytes>
  requires std::same_as<std::remove_cvref_t<Bytes>, std::string> ||
      std::same_as<std::remove_cvref_t<Bytes>, std::string_view>
  explicit GbkText(Bytes&& bytes) : bytes_(std::forward<Bytes>(bytes)) {}
  explicit GbkText(const char* bytes, size_type count) : bytes_(bytes, count) {}
  GbkText(size_type count, char c) : bytes_(count, c) {}
  template <class It>
  explicit GbkText(It first, It last) : bytes_(first, last) {}
  GbkText(AsciiLiteral literal) : bytes_(literal.view()) {}
  // A text written in the source (a literal, a table of them) is UTF-8 and
  // becomes the text it writes. One that is not UTF-8 throws
  // std::invalid_argument: its bytes were meant as internal ones, which
  // "..."_internal says. Bytes from the system never come this way: they are
  // a std::string, which converts only explicitly.
  GbkText(const char* source_text) : bytes_(FromSource(source_text)) {}

  // The bytes, for the encoding boundary, the journal and the file system.
  const std::string& bytes() const& { return bytes_; }
  std::string bytes() && { return std::move(bytes_); }
  operator std::string_view() const noexcept { return bytes_; }

  size_type size() const noexcept { return bytes_.size(); }
  size_type length() const noexcept { return bytes_.size(); }
  bool empty() const noexcept { return bytes_.empty(); }
  const char* data() const noexcept { return bytes_.data(); }
  char* data() noexcept { return bytes_.data(); }
  const char* c_str() const noexcept { return bytes_.c_str(); }
  char operator[](size_type at) const { return bytes_[at]; }
  char& operator[](size_type at) { return bytes_[at]; }
  char front() const { return bytes_.front(); }
  char back() const { return bytes_.back(); }
  char& front() { return bytes_.front(); }
  char& back() { return bytes_.back(); }
  iterator begin() noexcept { return bytes_.begin(); }
  iterator end() noexcept { return bytes_.end(); }
  const_iterator begin() const noexcept { return bytes_.begin(); }
  const_iterator end() const noexcept { return bytes_.end(); }
  auto rbegin() const noexcept { return bytes_.rbegin(); }
  auto rend() const noexcept { return bytes_.rend(); }

  void clear() noexcept { bytes_.clear(); }
  void reserve(size_type count) { bytes_.reserve(count); }
  void resize(size_type count, char c = '\0') { bytes_.resize(count, c); }
  size_type capacity() const noexcept { return bytes_.capacity(); }
  void shrink_to_fit() { bytes_.shrink_to_fit(); }
  void push_back(char c) { bytes_.push_back(c); }
  void pop_back() { bytes_.pop_back(); }
  GbkText& append(const GbkText& more) { return bytes_.append(more.bytes_), *this; }
  template <ByteView View>
  GbkText& append(View more, size_type at = 0, size_type count = npos) {
    return bytes_.append(more, at, count), *this;
  }
  GbkText& append(const GbkText& more, size_type at, size_type count) {
    return bytes_.append(more.bytes_, at, count), *this;
  }
  GbkText& append(const char* bytes, size_type count) { return bytes_.append(bytes, count), *this; }
  GbkText& append(size_type count, char c) { return bytes_.append(count, c), *this; }
  template <class It>
  requires(!std::integral<It>) GbkText& append(It first, It last) {
    return bytes_.append(first, last), *this;
  }
  GbkText& operator+=(const GbkText& more) { return append(more); }
  template <ByteView View>
  GbkText& operator+=(View more) {
    return append(more);
  }
  GbkText& operator+=(char c) { return push_back(c), *this; }
  GbkText& insert(size_type at, const GbkText& more) {
    return bytes_.insert(at, more.bytes_), *this;
  }
  template <ByteView View>
  GbkText& insert(size_type at, View more) {
    return bytes_.insert(at, more), *this;
  }
  iterator insert(const_iterator at, char c) { return bytes_.insert(at, c); }
  GbkText& insert(size_type at, size_type count, char c) {
    return bytes_.insert(at, count, c), *this;
  }
  GbkText& erase(size_type at = 0, size_type count = npos) {
    return bytes_.erase(at, count), *this;
  }
  GbkText& replace(size_type at, size_type count, const GbkText& with) {
    return bytes_.replace(at, count, with.bytes_), *this;
  }
  template <ByteView View>
  GbkText& replace(size_type at, size_type count, View with) {
    return bytes_.replace(at, count, with), *this;
  }

  GbkText substr(size_type at = 0, size_type count = npos) const {
    return GbkText(bytes_.substr(at, count));
  }
  size_type find(std::string_view part, size_type from = 0) const noexcept {
    return std::string_view(bytes_).find(part, from);
  }
  size_type find(char c, size_type from = 0) const noexcept { return bytes_.find(c, from); }
  size_type rfind(std::string_view part, size_type from = npos) const noexcept {
    return std::string_view(bytes_).rfind(part, from);
  }
  size_type rfind(char c, size_type from = npos) const noexcept { return bytes_.rfind(c, from); }
  size_type find_first_of(std::string_view set, size_type from = 0) const noexcept {
    return std::string_view(bytes_).find_first_of(set, from);
  }
  size_type find_last_of(std::string_view set, size_type from = npos) const noexcept {
    return std::string_view(bytes_).find_last_of(set, from);
  }
  size_type find_first_of(char c, size_type from = 0) const noexcept {
    return bytes_.find_first_of(c, from);
  }
  size_type find_last_of(char c, size_type from = npos) const noexcept {
    return bytes_.find_last_of(c, from);
  }
  size_type find_first_not_of(std::string_view set, size_type from = 0) const noexcept {
    return std::string_view(bytes_).find_first_not_of(set, from);
  }
  size_type find_last_not_of(std::string_view set, size_type from = npos) const noexcept {
    return std::string_view(bytes_).find_last_not_of(set, from);
  }
  bool starts_with(std::string_view part) const noexcept { return bytes_.starts_with(part); }
  bool ends_with(std::string_view part) const noexcept { return bytes_.ends_with(part); }
  bool starts_with(char c) const noexcept { return bytes_.starts_with(c); }
  bool ends_with(char c) const noexcept { return bytes_.ends_with(c); }
  int compare(std::string_view other) const noexcept { return bytes_.compare(other); }
  int compare(size_type at, size_type count, std::string_view other) const {
    return bytes_.compare(at, count, other);
  }

  friend GbkText operator+(GbkText a, const GbkText& b) { return a += b; }
  friend GbkText operator+(GbkText a, char c) { return a += c; }
  friend GbkText operator+(char c, const GbkText& b) { return GbkText(1, c) += b; }
  template <ByteView View>
  friend GbkText operator+(GbkText a, View b) {
    return a += b;
  }
  friend bool operator==(const GbkText&, const GbkText&) = default;
  friend std::strong_ordering operator<=>(const GbkText& a, const GbkText& b) {
    return a.bytes_ <=> b.bytes_;
  }
  friend bool operator==(const GbkText& a, const char* source_text) {
    return a.bytes_ == FromSource(source_text);
  }

 private:
  static std::string FromSource(const char* source_text);

  std::string bytes_;
};

// Bytes written in the source as escapes of the internal encoding itself
// ("\xB5\xDA"_internal), for the texts UTF-8 cannot spell: broken and unusual
// byte sequences.
inline GbkText operator""_internal(const char* bytes, size_t count) {
  return GbkText(bytes, count);
}

// Prints the bytes as they are, for test failures and logs.
std::ostream& operator<<(std::ostream& out, const GbkText& text);

// Bytes taken by the character that starts at `at`, the one step of every walk
// over a text. GB18030 writes a character in one, two or four bytes: a four-byte
// one is lead, digit, lead, digit (0x81-0xFE, 0x30-0x39, 0x81-0xFE, 0x30-0x39);
// any other byte of 0x80 or more leads a two-byte one, and stands alone at the
// very end of the text. Walking a four-byte character as two halves would let a
// search match from its middle into the next character.
inline size_t CharacterWidthAt(std::string_view text, size_t at) {
  auto byte = [&](size_t k) { return static_cast<unsigned char>(text[at + k]); };
  if (byte(0) < 0x80 || at + 1 >= text.size()) return 1;
  auto is_lead = [](unsigned char b) { return b >= 0x81 && b <= 0xFE; };
  auto is_digit = [](unsigned char b) { return b >= 0x30 && b <= 0x39; };
  if (is_digit(byte(1)) && at + 3 < text.size() && is_lead(byte(0)) && is_lead(byte(2)) &&
      is_digit(byte(3))) {
    return 4;
  }
  return 2;
}

}  // namespace qm

template <>
struct std::hash<qm::GbkText> {
  size_t operator()(const qm::GbkText& text) const noexcept {
    return std::hash<std::string_view>()(text);
  }
};
