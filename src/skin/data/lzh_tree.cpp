#include "skin/data/lzh_tree.h"

#include <algorithm>

namespace velotune::skin::lzh {

namespace {

// Groups of the position code: how many first-byte values share each upper
// value, and the code length of the group.
struct PositionGroup {
  int uppers;     // upper values in the group
  int bytesEach;  // first-byte values per upper value
  int length;
};
constexpr PositionGroup kPositionGroups[] = {
    {1, 32, 3}, {3, 16, 4}, {8, 8, 5}, {12, 4, 6}, {24, 2, 7}, {16, 1, 8},
};

struct PositionTables {
  std::array<uint8_t, 256> code{};
  std::array<uint8_t, 256> length{};
  PositionTables() {
    int b = 0, upper = 0;
    for (const PositionGroup& g : kPositionGroups)
      for (int u = 0; u < g.uppers; ++u, ++upper)
        for (int k = 0; k < g.bytesEach; ++k, ++b) {
          code[b] = static_cast<uint8_t>(upper);
          length[b] = static_cast<uint8_t>(g.length);
        }
  }
};

const PositionTables& Tables() {
  static const PositionTables tables;
  return tables;
}

}  // namespace

int PositionCode(int firstByte) {
  return Tables().code[firstByte & 0xFF];
}
int PositionLength(int firstByte) {
  return Tables().length[firstByte & 0xFF];
}

void HuffmanTree::Start() {
  for (int i = 0; i < kSymbols; ++i) {
    freq_[i] = 1;
    son_[i] = static_cast<uint16_t>(i + kNodes);
    parent_[i + kNodes] = static_cast<uint16_t>(i);
  }
  for (int i = 0, j = kSymbols; j <= kRoot; i += 2, ++j) {
    freq_[j] = static_cast<uint16_t>(freq_[i] + freq_[i + 1]);
    son_[j] = static_cast<uint16_t>(i);
    parent_[i] = parent_[i + 1] = static_cast<uint16_t>(j);
  }
  for (size_t i = kNodes; i < freq_.size(); ++i) freq_[i] = 0xFFFF;
  parent_[kRoot] = 0;
  marks_ = CodeMarks{};
  FillCodes(kRoot, 0, 0, codeTable_, marks_);
}

void HuffmanTree::Rebuild() {
  // Leaves to the front, frequencies halved (rounding up).
  int j = 0;
  for (int i = 0; i < kNodes; ++i) {
    if (son_[i] >= kNodes) {
      freq_[j] = static_cast<uint16_t>((freq_[i] + 1) / 2);
      son_[j] = son_[i];
      ++j;
    }
  }
  // Internal nodes from pairs, each inserted after the last node not above it.
  for (int i = 0, n = kSymbols; n < kNodes; i += 2, ++n) {
    const uint16_t f = static_cast<uint16_t>(freq_[i] + freq_[i + 1]);
    int k = n - 1;
    while (f < freq_[k]) --k;
    ++k;
    std::copy_backward(freq_.begin() + k, freq_.begin() + n, freq_.begin() + n + 1);
    std::copy_backward(son_.begin() + k, son_.begin() + n, son_.begin() + n + 1);
    freq_[k] = f;
    son_[k] = static_cast<uint16_t>(i);
  }
  for (int i = 0; i < kNodes; ++i) {
    const int k = son_[i];
    parent_[k] = static_cast<uint16_t>(i);
    if (k < kNodes) parent_[k + 1] = static_cast<uint16_t>(i);
  }
  marks_ = CodeMarks{};
  FillCodes(kRoot, 0, 0, codeTable_, marks_);
}

void HuffmanTree::FillCodes(int node, int depth, int code, CodeTable& table,
                            CodeMarks& marks) const {
  const int c = son_[node];
  if (depth == kCodeTableBits || c >= kNodes) {
    const uint32_t entry = (static_cast<uint32_t>(depth) << 16) | static_cast<uint32_t>(node);
    const int shift = kCodeTableBits - depth;
    std::fill(table.begin() + (code << shift), table.begin() + ((code + 1) << shift), entry);
    if (depth == kCodeTableBits) return;
  }
  marks.marked[node] = 1;
  marks.depth[node] = static_cast<uint8_t>(depth);
  marks.code[node] = static_cast<uint16_t>(code);
  if (c >= kNodes) return;
  FillCodes(c, depth + 1, code << 1, table, marks);
  FillCodes(c + 1, depth + 1, (code << 1) | 1, table, marks);
}

void HuffmanTree::Unmark(int node) {
  if (!marks_.marked[node]) return;
  marks_.marked[node] = 0;
  const int c = son_[node];
  if (c >= kNodes) return;
  Unmark(c);
  Unmark(c + 1);
}

void HuffmanTree::MoveMarked(int c, int l, uint16_t k) {
  // The subtrees change places: unmark both, swap, and fill the table again
  // below whichever of the two nodes is marked (the nodes keep their codes).
  for (int node : {c, l}) {
    if (marks_.marked[node] && son_[node] < kNodes) {
      Unmark(son_[node]);
      Unmark(son_[node] + 1);
    }
  }
  Swap(c, l, k, son_[c], son_[l]);
  for (int node : {c, l})
    if (marks_.marked[node])
      FillCodes(node, marks_.depth[node], marks_.code[node], codeTable_, marks_);
}

bool HuffmanTree::CodeTableMatchesTree() const {
  CodeTable table{};
  CodeMarks marks;
  FillCodes(kRoot, 0, 0, table, marks);
  for (int node = 0; node < kNodes; ++node) {
    if (marks.marked[node] != marks_.marked[node]) return false;
    if (marks.marked[node] &&
        (marks.depth[node] != marks_.depth[node] || marks.code[node] != marks_.code[node]))
      return false;
  }
  return table == codeTable_;
}

}  // namespace velotune::skin::lzh
