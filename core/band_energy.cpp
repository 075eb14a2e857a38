#include "core/band_energy.h"

#include <algorithm>
#include <cmath>

namespace zav {

namespace {

constexpr double kPi = 3.14159265358979323846;

std::size_t powerOfTwoAtLeast(std::size_t size) {
    std::size_t power = 4;
    while (power < size) power *= 2;
    return power;
}

}  // namespace

BandEnergy::BandEnergy(int sampleRate, std::size_t size, std::vector<FrequencyBand> bands)
    : size_(powerOfTwoAtLeast(size)), window_(size_), cosines_(size_ / 2), sines_(size_ / 2), reversed_(size_),
      real_(size_), imaginary_(size_) {
    double windowPower = 0;
    for (std::size_t i = 0; i < size_; ++i) {
        const double w = 0.5 - 0.5 * std::cos(2 * kPi * static_cast<double>(i) / static_cast<double>(size_));
        window_[i] = static_cast<float>(w);
        windowPower += w * w;
    }
    // A sine of amplitude 1 puts (sum w)^2 / 4 into its peak bins in all, spread by
    // the window; summed over the bins it is sum(w^2) * size / 4 (two sides: / 2
    // for the positive half). Dividing by that gives its mean power, 0.5.
    scale_ = 1.0 / (windowPower * static_cast<double>(size_) / 2.0);
    for (std::size_t i = 0; i < size_ / 2; ++i) {
        cosines_[i] = static_cast<float>(std::cos(2 * kPi * static_cast<double>(i) / static_cast<double>(size_)));
        sines_[i] = static_cast<float>(-std::sin(2 * kPi * static_cast<double>(i) / static_cast<double>(size_)));
    }
    int bits = 0;
    while ((std::size_t{1} << bits) < size_) ++bits;
    for (std::size_t i = 0; i < size_; ++i) {
        std::size_t r = 0;
        for (int b = 0; b < bits; ++b) r |= ((i >> b) & 1) << (bits - 1 - b);
        reversed_[i] = r;
    }
    const double binHz = static_cast<double>(std::max(sampleRate, 1)) / static_cast<double>(size_);
    for (const FrequencyBand& band : bands) {
        const double nyquistBin = static_cast<double>(size_ / 2);
        const double low = std::clamp(std::ceil(band.lowHz / binHz), 1.0, nyquistBin);
        const double high = std::clamp(std::ceil(band.highHz / binHz), low, nyquistBin);
        firstBin_.push_back(static_cast<std::size_t>(low));
        endBin_.push_back(static_cast<std::size_t>(high));
    }
}

void BandEnergy::transform() {
    for (std::size_t i = 0; i < size_; ++i) {
        if (reversed_[i] > i) {
            std::swap(real_[i], real_[reversed_[i]]);
            std::swap(imaginary_[i], imaginary_[reversed_[i]]);
        }
    }
    for (std::size_t half = 1; half < size_; half *= 2) {
        const std::size_t step = size_ / (2 * half);
        for (std::size_t start = 0; start < size_; start += 2 * half) {
            for (std::size_t k = 0; k < half; ++k) {
                const float c = cosines_[k * step];
                const float s = sines_[k * step];
                const std::size_t a = start + k;
                const std::size_t b = a + half;
                const float re = real_[b] * c - imaginary_[b] * s;
                const float im = real_[b] * s + imaginary_[b] * c;
                real_[b] = real_[a] - re;
                imaginary_[b] = imaginary_[a] - im;
                real_[a] += re;
                imaginary_[a] += im;
            }
        }
    }
}

void BandEnergy::measure(const float* frame, double* energies) {
    for (std::size_t i = 0; i < size_; ++i) {
        real_[i] = frame[i] * window_[i];
        imaginary_[i] = 0;
    }
    transform();
    for (std::size_t band = 0; band < firstBin_.size(); ++band) {
        double sum = 0;
        for (std::size_t bin = firstBin_[band]; bin < endBin_[band]; ++bin)
            sum += static_cast<double>(real_[bin]) * real_[bin] + static_cast<double>(imaginary_[bin]) * imaginary_[bin];
        energies[band] = sum * scale_;
    }
}

}  // namespace zav
