#pragma once
// EcBlocks: how one level of one version splits its codewords, as the number of Reed-Solomon
// blocks and the EC codewords of each. The data codewords per block follow from the totals.

namespace hosting::qr {

class EcBlocks {
 public:
  constexpr EcBlocks(int ecCodewordsPerBlock, int numBlocks)
      : ecCodewordsPerBlock_(ecCodewordsPerBlock), numBlocks_(numBlocks) {}

  int GetNumBlocks() const { return numBlocks_; }
  int GetTotalEcCodewords() const { return ecCodewordsPerBlock_ * numBlocks_; }

 private:
  int ecCodewordsPerBlock_;
  int numBlocks_;
};

}  // namespace hosting::qr
