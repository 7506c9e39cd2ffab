-- The sprite scenes of bench_sprite_scene drawn by LOVE: N sprites of a
-- 64 x 64 circle texture, each turning, moving and changing alpha every
-- frame with the same formulas; "mixed" alternates texture A in the alpha
-- blend mode with texture B in the additive mode. Prints the mean frame
-- time (position updates, draw and present) over the measured frames.
--
-- Usage: love bench/love VARIANT SIZE COUNT FRAMES WARMUP
-- (VARIANT single or mixed, SIZE 64 or 8 pixels on screen.)

local function circle(r, g, b)
    local data = love.image.newImageData(64, 64)
    data:mapPixel(function(x, y)
        local dx, dy = x - 32, y - 32
        local alpha = (dx * dx + dy * dy < 30 * 30) and 1 or 0
        return r, g, b, alpha
    end)
    return love.graphics.newImage(data)
end

function love.run()
    local args = love.arg.parseGameArguments(arg)
    local variant = args[1] or "single"
    local size = tonumber(args[2] or "64")
    local count = tonumber(args[3] or "1000")
    local frames = tonumber(args[4] or "300")
    local warmup = tonumber(args[5] or "30")
    local mixed = variant == "mixed"
    local scale = size / 64
    local a = circle(1.0, 0.5, 0.25)
    local b = circle(0.25, 0.5, 1.0)
    local total = 0
    for frame = 0, warmup + frames - 1 do
        love.event.pump()
        local start = love.timer.getTime()
        local t = frame / 60
        love.graphics.clear(0, 0, 0, 1)
        for i = 0, count - 1 do
            local phase = i * 0.618
            local x = 683 + 600 * math.sin(phase * 3.1 + t)
            local y = 384 + 340 * math.cos(phase + t)
            local alpha = 0.5 + 0.5 * math.sin(t * 2 + phase)
            local second = mixed and i % 2 == 1
            love.graphics.setBlendMode(second and "add" or "alpha")
            love.graphics.setColor(1, 1, 1, alpha)
            love.graphics.draw(second and b or a, x, y, t + phase, scale, scale, 32, 32)
        end
        love.graphics.present()
        if frame >= warmup then
            total = total + (love.timer.getTime() - start)
        end
    end
    print(string.format("love %s %d %d frame_ms %.3f", variant, size, count,
        total * 1000 / frames))
    return function() return 0 end
end
