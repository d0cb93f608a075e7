#include "ai/NetWeights.h"

#include <algorithm>
#include <cmath>

#include "ai/NetKernel.h"

namespace lumaro {

template <int H>
std::shared_ptr<const NetWeights<H>> makeNetWeights(std::span<const double> values) {
    const std::size_t used = std::min<std::size_t>(values.size(), NetWeights<H>::kValues);
    const auto supplied = values.first(used);
    // Written so that a NaN fails the test too.
    const auto inBounds = [](double v) { return std::abs(v) <= kLargestNetWeight; };
    if (!std::all_of(supplied.begin(), supplied.end(), inBounds)) return nullptr;

    std::shared_ptr<NetWeights<H>> w(new NetWeights<H>());  // aligned new: the rows are read 64 bytes at a time
    const std::size_t hiddenPart = std::min(used, w->inputToHidden.size());
    std::copy_n(supplied.begin(), hiddenPart, w->inputToHidden.begin());
    std::copy(supplied.begin() + hiddenPart, supplied.end(), w->hiddenToOutput.begin());

    NetInput empty;
    empty.netInput.fill(-1.0);
    alignas(64) std::array<double, H> sums{};
    accumulateHidden(*w, empty.netInput.data(), 0, w->emptyPrefixSums.data(), w->emptyPrefixSums.data(),
                     sums.data(), fastestNetKernel());
    return w;
}

template <int H>
std::vector<double> netValues(const NetWeights<H>& weights) {
    std::vector<double> values(weights.inputToHidden.begin(), weights.inputToHidden.end());
    values.insert(values.end(), weights.hiddenToOutput.begin(), weights.hiddenToOutput.end());
    return values;
}

template std::shared_ptr<const NetWeights<kNet1Hidden>> makeNetWeights<kNet1Hidden>(std::span<const double>);
template std::shared_ptr<const NetWeights<kNet2Hidden>> makeNetWeights<kNet2Hidden>(std::span<const double>);
template std::vector<double> netValues<kNet1Hidden>(const NetWeights<kNet1Hidden>&);
template std::vector<double> netValues<kNet2Hidden>(const NetWeights<kNet2Hidden>&);

}  // namespace lumaro
