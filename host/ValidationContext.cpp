#include "ValidationContext.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "Renderer.h"
#include "SampleStats.h"
#include "TestSignal.h"

std::unique_ptr<HostComponent> ValidationContext::Open(const std::string& purpose)
{
  std::string error;
  std::unique_ptr<HostComponent> unit = HostComponent::Open(component, error);
  if (!unit)
    report.Check(false, "open an instance for " + purpose, error);
  return unit;
}

bool ValidationContext::Start(Renderer& renderer, const StreamSetup& setup, const std::string& purpose)
{
  std::string error;
  if (renderer.Start(setup, error))
    return true;
  report.Check(false, "start rendering for " + purpose, error);
  return false;
}

AudioUnitParameterValue ValidationContext::RandomValue(const ParameterDescription& parameter)
{
  std::uniform_real_distribution<double> draw(parameter.minValue, parameter.maxValue);
  const double value = draw(random);
  return static_cast<AudioUnitParameterValue>(parameter.Stepped() ? std::round(value) : value);
}

void ValidationContext::SetEarliestDeepestDip(HostComponent& unit) const
{
  for (const char* name : {"Period", "Random", "Duration"})
  {
    if (const ParameterDescription* parameter = parameters.Find(name))
      unit.SetParameter(parameter->id, parameter->minValue);
  }
  if (const ParameterDescription* depth = parameters.Find("Depth"))
    unit.SetParameter(depth->id, depth->maxValue);
}

OSStatus ValidationContext::RenderSignal(Renderer& renderer, TestSignal& signal, std::size_t frames, UInt32 slice, SampleStats& stats)
{
  const StreamSetup& setup = renderer.Setup();
  std::vector<float> input(static_cast<std::size_t>(slice) * setup.inChannels);
  std::vector<float> output(static_cast<std::size_t>(slice) * setup.outChannels);
  for (std::size_t done = 0; done < frames;)
  {
    const auto n = static_cast<UInt32>(std::min<std::size_t>(slice, frames - done));
    signal.Fill(input.data(), n, setup.inChannels);
    const OSStatus status = renderer.Process(input.data(), output.data(), n);
    if (status != noErr)
      return status;
    stats.Add(output.data(), static_cast<std::size_t>(n) * setup.outChannels);
    done += n;
  }
  return noErr;
}
