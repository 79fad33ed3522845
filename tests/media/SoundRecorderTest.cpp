// The sound recorder on the real wave-audio device (ALSA's null device on
// machines without a sound card, see null-sound.asoundrc), WAV files read
// back by ffprobe. The platform's wave-audio driver is unloaded when its last
// device closes, even while a recording thread still runs, so an extra device
// stays open throughout; saving or closing right after stopping can corrupt
// its heap, so a stopped device settles first; recording 4 bits per sample
// crashes it; saving twice to one path deletes the file.
#include <cstdlib>
#include <memory>

#include "MediaTestSupport.h"

namespace {

const DWORD kRecordMs = 300;  // the null device records about ten times faster than real time
const DWORD kSettleMs = 500;
using Boxes = std::vector<MsgBoxCatcher::Box>;

// A new recording opened as the recorder opens one, under an alias if given.
struct WaveDevice {
    explicit WaveDevice(const char* alias = nullptr)
    {
        MCI_OPEN_PARMSA open = {};
        open.lpstrDeviceType = reinterpret_cast<LPCSTR>(MCI_DEVTYPE_WAVEFORM_AUDIO);
        open.lpstrElementName = "";
        open.lpstrAlias = alias;
        error =
            Send(MCI_OPEN,
                 MCI_OPEN_ELEMENT | MCI_OPEN_TYPE_ID | MCI_OPEN_TYPE | (alias ? MCI_OPEN_ALIAS : 0),
                 &open);
        id = open.wDeviceID;
    }
    ~WaveDevice()
    {
        if (!error)
            Send(MCI_CLOSE, 0);
    }
    MCIERROR Send(UINT message, DWORD flags, void* parms = nullptr)
    {
        return mciSendCommandA(id, message, flags, reinterpret_cast<DWORD_PTR>(parms));
    }
    MCIDEVICEID id = 0;
    MCIERROR error;
};

std::string ErrorText(MCIERROR error)
{
    char text[256] = {};
    mciGetErrorStringA(error, text, sizeof text);
    return text;
}

void RecordAMoment(CTqSoundRecorder& recorder)
{
    EXPECT_EQ(recorder.StartRec(), 1);  // with no message: the record block is not null
    Sleep(kRecordMs);
    EXPECT_EQ(recorder.StopRec(), 1);
    Sleep(kSettleMs);
}

}  // namespace

class SoundRecorder : public ::testing::Test {
protected:
    static void SetUpTestSuite() { s_keeper = std::make_unique<WaveDevice>("tq keeper"); }
    static void TearDownTestSuite() { s_keeper.reset(); }
    void SetUp() override { ASSERT_EQ(s_keeper->error, 0u) << ErrorText(s_keeper->error); }

    static std::unique_ptr<WaveDevice> s_keeper;
};

std::unique_ptr<WaveDevice> SoundRecorder::s_keeper;

TEST_F(SoundRecorder, RecordingsAreSavedInTheFormatAskedFor)
{
    const struct {
        unsigned int channels, bits, rate;
        const char* stream;  // then the number of samples
    } cases[] = {
        {2, 16, 44100, "pcm_s16le,44100,2,16,"},
        {1, 8, 11025, "pcm_u8,11025,1,8,"},
    };
    TestWindow owner(kFrame);
    TempFolder folder;
    MsgBoxCatcher catcher;
    CTqSoundRecorder idle;  // without a device nothing happens and nothing is shown
    EXPECT_EQ(idle.StartRec(), 0);
    EXPECT_EQ(idle.StopRec(), 0);
    EXPECT_EQ(idle.Save((folder / "idle.wav").c_str()), 0);
    idle.Clear();

    // One recorder throughout: this driver holds one unaliased recording at a
    // time, so each Create succeeds only when the device before was closed.
    CTqSoundRecorder recorder;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stream);
        const std::string path = folder / (std::to_string(c.rate) + ".wav");
        ASSERT_EQ(recorder.Create(c.channels, c.bits, c.rate, owner), 1);
        CTqSoundRecorder copy(recorder);  // holds no device
        EXPECT_EQ(copy.StartRec(), 0);
        RecordAMoment(recorder);
        EXPECT_EQ(recorder.Save(path.c_str()), 1);
        const std::string probed =
            Probe(path, "a", "stream=codec_name,sample_rate,channels,bits_per_sample,duration_ts");
        EXPECT_EQ(probed.substr(0, probed.rfind(',') + 1), c.stream);
        EXPECT_GT(std::atol(probed.c_str() + probed.rfind(',') + 1), 0)
            << "no samples recorded: is ALSA_CONFIG_PATH set as in tests/CMakeLists.txt?";
    }
    recorder = CTqSoundRecorder();  // assigning closes the device
    EXPECT_EQ(recorder.StartRec(), 0);
    CTqSoundRecorder another;
    EXPECT_EQ(another.Create(1, 16, 8000, owner), 1);
    EXPECT_EQ(catcher.Count(), 0u);
}

TEST_F(SoundRecorder, MciErrorsAreShownWithTheSystemsTextAndTheOperationsCaption)
{
    const char missingFolder[] = "C:\\no such folder\\tq.wav";
    const std::string createCaption = Cp932(u8"サウンドレコーダーの作成");
    TestWindow owner(kFrame);
    MsgBoxCatcher catcher;
    CTqSoundRecorder recorder;
    MCIERROR saveError = 0;
    {
        // What the system says to a save into a missing folder, learnt from a
        // recording of our own (which this driver then loses).
        WaveDevice busy;
        MCI_RECORD_PARMS record = {};
        ASSERT_EQ(busy.Send(MCI_RECORD, 0, &record), 0u) << ErrorText(busy.error);
        Sleep(kRecordMs);
        ASSERT_EQ(busy.Send(MCI_STOP, MCI_WAIT), 0u);
        Sleep(kSettleMs);
        MCI_SAVE_PARMSA save = {0, missingFolder};
        saveError = busy.Send(MCI_SAVE, MCI_SAVE_FILE | MCI_WAIT, &save);
        ASSERT_NE(saveError, 0u);

        // One unaliased recording at a time: a second open fails, the
        // recorder's too, which leaves no device open.
        const MCIERROR openError = WaveDevice().error;
        ASSERT_NE(openError, 0u);
        EXPECT_EQ(recorder.Create(2, 16, 44100, owner), 0);
        EXPECT_EQ(catcher.Boxes(), (Boxes{{ErrorText(openError), createCaption, owner, {IDOK}}}));
        EXPECT_EQ(recorder.StartRec(), 0);
    }

    Boxes boxes = catcher.Boxes();
    ASSERT_EQ(recorder.Create(2, 16, 44100, owner), 1);
    RecordAMoment(recorder);
    EXPECT_EQ(recorder.Save(missingFolder), 0);
    recorder.Clear();
    boxes.push_back({ErrorText(saveError), Cp932(u8"ファイル保存"), owner, {IDOK}});
    EXPECT_EQ(catcher.Boxes(), boxes);
}
