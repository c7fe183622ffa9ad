#pragma once

// The filters of one channel of four grains in the lanes of one register:
// Filter::process() on each lane with the same operations, so the same
// results. Include only between Avx2Begin.h and Avx2End.h, after
// <immintrin.h>.

#include "synth/dsp/Filter.h"
#include "synth/dsp/Quad.h"

namespace korvel::veldro {

// Holds the filters' state while it works and writes it back on store().
// Audio thread.
class FilterQuad {
public:
    explicit FilterQuad(quad::Units<Filter> filters)
        : units(quad::lanesOf(filters)), s1(sections(filters, &Filter::section1)), s2(sections(filters, &Filter::section2)),
          in(followers(filters, &Filter::inputFollower)), out(followers(filters, &Filter::outputFollower)),
          lo(quad::gather(filters, [](const Filter& f) { return f.lo; })),
          mid(quad::gather(filters, [](const Filter& f) { return f.mid; })),
          hi(quad::gather(filters, [](const Filter& f) { return f.hi; })),
          dry(quad::gather(filters, [](const Filter& f) { return f.dry; })),
          level(_mm256_sub_pd(_mm256_set1_pd(2.0),
                              _mm256_div_pd(_mm256_add_pd(_mm256_add_pd(lo, mid), hi), _mm256_set1_pd(3.0))))
    {
    }

    // The other channel's filters, set up as those of sameSettings.
    FilterQuad(quad::Units<Filter> filters, const FilterQuad& sameSettings) : FilterQuad(sameSettings)
    {
        units = quad::lanesOf(filters);
        s1.loadState(units, &Filter::section1);
        s2.loadState(units, &Filter::section2);
        in.state = quad::gather(units, [](const Filter& u) { return u.inputFollower.state; });
        out.state = quad::gather(units, [](const Filter& u) { return u.outputFollower.state; });
    }

    __m256d process(__m256d x)
    {
        s1.process(x);
        s2.process(x);
        const __m256d pin = in.process(x);
        __m256d sum = _mm256_add_pd(_mm256_add_pd(s1.low, s1.band), s1.high);
        sum = _mm256_add_pd(_mm256_add_pd(_mm256_add_pd(sum, s2.low), s2.band), s2.high);
        const __m256d pout = out.process(sum);
        const __m256d silent = _mm256_cmp_pd(pout, _mm256_setzero_pd(), _CMP_EQ_OQ);
        const __m256d ratio = quad::select(silent, pin, _mm256_div_pd(pin, pout));
        const __m256d c = _mm256_mul_pd(_mm256_sqrt_pd(ratio), level);
        const __m256d highs = _mm256_mul_pd(_mm256_add_pd(s1.high, s2.high), c);
        const __m256d bands = _mm256_mul_pd(_mm256_add_pd(s1.band, s2.band), c);
        const __m256d lows = _mm256_mul_pd(_mm256_add_pd(s1.low, s2.low), c);
        const __m256d y = _mm256_add_pd(_mm256_mul_pd(hi, highs), _mm256_mul_pd(mid, bands));
        return _mm256_add_pd(_mm256_add_pd(y, _mm256_mul_pd(lo, lows)), _mm256_mul_pd(dry, x));
    }

    void store()
    {
        s1.store(units, &Filter::section1);
        s2.store(units, &Filter::section2);
        quad::scatter(units, in.state, [](Filter& f) -> double& { return f.inputFollower.state; });
        quad::scatter(units, out.state, [](Filter& f) -> double& { return f.outputFollower.state; });
    }

private:
    // One section of each filter. Its outputs are its low and band states and
    // the last high value; a section's output fields in the records are read
    // only right after the step that sets them, so they are left alone.
    struct SectionQuad {
        __m256d f, q, band, low, high;

        void process(__m256d x)
        {
            high = _mm256_sub_pd(_mm256_sub_pd(_mm256_mul_pd(q, x), low), _mm256_mul_pd(q, band));
            band = _mm256_add_pd(band, _mm256_mul_pd(f, high));
            low = _mm256_add_pd(low, _mm256_mul_pd(f, band));
        }

        void loadState(const quad::Lanes<Filter>& filters, Filter::Section Filter::* which)
        {
            band = quad::gather(filters, [&](const Filter& u) { return (u.*which).band; });
            low = quad::gather(filters, [&](const Filter& u) { return (u.*which).low; });
        }

        void store(const quad::Lanes<Filter>& filters, Filter::Section Filter::* which) const
        {
            quad::scatter(filters, band, [&](Filter& u) -> double& { return (u.*which).band; });
            quad::scatter(filters, low, [&](Filter& u) -> double& { return (u.*which).low; });
        }
    };

    static SectionQuad sections(quad::Units<Filter> filters, Filter::Section Filter::* which)
    {
        auto field = [&](double Filter::Section::* member) {
            return quad::gather(filters, [&](const Filter& u) { return (u.*which).*member; });
        };
        return {field(&Filter::Section::f), field(&Filter::Section::q), field(&Filter::Section::band),
                field(&Filter::Section::low), _mm256_setzero_pd()};
    }

    // One power follower of each filter.
    struct FollowerQuad {
        __m256d gain, a, state;

        __m256d process(__m256d x)
        {
            state = _mm256_add_pd(_mm256_mul_pd(_mm256_mul_pd(gain, x), x), _mm256_mul_pd(a, state));
            return state;
        }
    };

    static FollowerQuad followers(quad::Units<Filter> filters, OnePole Filter::* which)
    {
        return {quad::gather(filters, [&](const Filter& u) { return (u.*which).gain; }),
                quad::gather(filters, [&](const Filter& u) { return (u.*which).a; }),
                quad::gather(filters, [&](const Filter& u) { return (u.*which).state; })};
    }

    quad::Lanes<Filter> units;
    SectionQuad s1;
    SectionQuad s2;
    FollowerQuad in;
    FollowerQuad out;
    __m256d lo, mid, hi, dry, level;
};

} // namespace korvel::veldro
