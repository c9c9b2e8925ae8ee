#include "audio/CAudioClient.h"

CAudioClient::~CAudioClient() = default;
void CAudioClient::OnInputInterleaved(CAudioInterface*, void*, int)
{}
void CAudioClient::OnOutputInterleaved(CAudioInterface*, void*, int)
{}
void CAudioClient::OnInputPlanar(CAudioInterface*, int32_t**, int)
{}
void CAudioClient::OnOutputPlanar(CAudioInterface*, int32_t**, int)
{}
void CAudioClient::OnFifoNotify(CAudioInterface*)
{}
