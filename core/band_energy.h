#pragma once
// The energy of a short frame of sound in a few frequency bands: the frame is
// shaped by a Hann window, taken through a radix-2 FFT and the power of the bins
// whose centre lies in each band [low, high) Hz (clipped to half the rate) summed.
// The energies are scaled so that a full-scale sine inside a band gives about 0.5
// (its mean power), whatever the frame's length. A band with no bin gives 0.

#include <cstddef>
#include <vector>

namespace zav {

struct FrequencyBand {
    double lowHz = 0;
    double highHz = 0;
};

class BandEnergy {
public:
    // size: the frame length, a power of two of at least 4 (else the next one).
    BandEnergy(int sampleRate, std::size_t size, std::vector<FrequencyBand> bands);

    std::size_t size() const noexcept { return size_; }
    std::size_t bandCount() const noexcept { return firstBin_.size(); }
    // Fills energies (bandCount() values) from size() samples.
    void measure(const float* frame, double* energies);

private:
    void transform();

    std::size_t size_;
    std::vector<float> window_;
    std::vector<float> cosines_, sines_;
    std::vector<std::size_t> reversed_;
    std::vector<float> real_, imaginary_;
    std::vector<std::size_t> firstBin_, endBin_;
    double scale_ = 1;
};

}  // namespace zav
