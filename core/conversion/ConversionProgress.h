// What the conversion asks of the window that follows it. The window itself
// belongs to the user interface; the conversion only creates it, advances
// it by one frame (or by none) from the processing thread, asks whether it
// counts the conversion done, and destroys it.
#pragma once

class CFrameData;

class ConversionProgress {
 public:
  virtual ~ConversionProgress() = default;
  // False when the window could not be created.
  virtual bool Create() = 0;
  // Called on the processing thread under the document's lock; frame is
  // null when the resource had no frame to give.
  virtual void Advance(const CFrameData* frame) = 0;
  virtual bool IsDone() = 0;
  virtual void Destroy() = 0;
};

// The progress of a run without windows: it is always there and never
// decides the end; the conversion ends by its own flags.
class HeadlessProgress : public ConversionProgress {
 public:
  bool Create() override { return true; }
  void Advance(const CFrameData*) override {}
  bool IsDone() override { return false; }
  void Destroy() override {}
};
