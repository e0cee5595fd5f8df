#pragma once
// Windows: the exchange over each system HTTP API (one translation unit each, since winhttp.h
// and wininet.h cannot be included together).

#include "net/http_exchange.h"

namespace hosting::net {

HttpAnswer PerformWinHttpExchange(const HttpExchange& exchange);
HttpAnswer PerformWinInetExchange(const HttpExchange& exchange);

// The answer to a request that went out, read through one system API's calls: its head within the
// limit, and its body, which counts as broken when shorter than announced (both APIs end a body the
// server cut short as if it were complete).
template <typename Handle, typename HeadOf, typename AnnouncedLengthOf, typename ReadBody>
HttpAnswer CollectAnswer(Handle request, const HttpExchange& exchange, HeadOf headOf,
                         AnnouncedLengthOf announcedLengthOf, ReadBody readBody) {
  HttpAnswer answer;
  answer.headerBlock = headOf(request);
  if (answer.headerBlock.empty() || answer.headerBlock.size() > kMaxAnswerHeaderBytes) {
    return {TransferFailure::kNoAnswer, {}, {}};
  }
  const auto announced = announcedLengthOf(request, exchange);
  if (!readBody(request, answer.body) || (announced && answer.body.size() < *announced)) {
    answer.failure = TransferFailure::kBodyBroken;
  }
  return answer;
}

}  // namespace hosting::net
