#pragma once

// Section "Kernel Streaming" of the settings file: buffer options of the engine.
struct KsSettings {
    enum { PathSize = 261 };
    // What a file without the section gives, and the ranges Read holds the values to.
    enum { DefaultFifoBytes = 65536, DefaultPacketBytes = 8192, DefaultPacketCount = 8 };
    enum { MinFifoKilobytes = 4, MinPacketKilobytes = 2, MinPacketCount = 2, MaxPacketCount = 8 };

    // Reads the file beside the program.
    KsSettings();
    // Reads the given file.
    explicit KsSettings(const char* path);

    void SetDefaults();
    void Read();
    void ReadString(const char* key, char* dest, int size);
    void ReadInt(const char* key, int* value);

    char iniPath[PathSize];
    char outputDevice[PathSize];
    int volumeEnabled;
    int gaplessEnabled;
    int inputBufferSize;   // bytes of the fallback FIFO
    int outputBufferSize;  // bytes of one streaming packet
    int outputBufferCount; // packets queued
};
