#include "game/Random.h"

namespace lumaro {

std::uint32_t millisecondsSinceMidnight(int hour, int minute, int second, int millisecond) {
    return static_cast<std::uint32_t>(((hour * 60 + minute) * 60 + second) * 1000 + millisecond);
}

bool MarsagliaZaman::init(int ij, int kl) {
    if (ij < 0 || ij > 31328 || kl < 0 || kl > 30081) return false;
    int i = (ij / 177) % 177 + 2;
    int j = ij % 177 + 2;
    int k = (kl / 169) % 178 + 1;
    int l = kl % 169;
    for (int ii = 1; ii <= 97; ++ii) {
        double s = 0.0;
        double t = 0.5;
        for (int jj = 1; jj <= 24; ++jj) {
            const int m = (((i * j) % 179) * k) % 179;
            i = j;
            j = k;
            k = m;
            l = (53 * l + 1) % 169;
            if ((l * m) % 64 >= 32) s += t;
            t *= 0.5;
        }
        u_[ii] = s;
    }
    c_ = 362436.0 / 16777216.0;
    cd_ = 7654321.0 / 16777216.0;
    cm_ = 16777213.0 / 16777216.0;
    i97_ = 97;
    j97_ = 33;
    initialised_ = true;
    return true;
}

void MarsagliaZaman::initFrom(RuntimeRandom& random) {
    const int kl = static_cast<int>(random.Random(30001));
    const int ij = static_cast<int>(random.Random(31300));
    init(ij, kl);
}

double MarsagliaZaman::uni() {
    if (!initialised_) return 0.0;
    double value = u_[i97_] - u_[j97_];
    if (value < 0.0) value += 1.0;
    u_[i97_] = value;
    if (--i97_ == 0) i97_ = 97;
    if (--j97_ == 0) j97_ = 97;
    c_ -= cd_;
    if (c_ < 0.0) c_ += cm_;
    value -= c_;
    if (value < 0.0) value += 1.0;
    return value;
}

}  // namespace lumaro
